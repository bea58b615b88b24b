// The error record a failing file operation leaves behind for its caller to report.
#pragma once

#include <QString>

namespace quenloft {

class ErrObject
{
public:
    ErrObject() { Clear(); }

    void Clear();
    void SetError(qint32 lngNewNumber, const QString &strNewDescription,
                  const QString &strNewExtendedInfo);

    [[nodiscard]] qint32 Number() const { return m_number; }
    void setNumber(qint32 number) { m_number = number; }
    [[nodiscard]] QString Description() const { return m_description; }
    void setDescription(const QString &description) { m_description = description; }
    [[nodiscard]] QString ExtendedInfo() const { return m_extendedInfo; }
    void setExtendedInfo(const QString &extendedInfo) { m_extendedInfo = extendedInfo; }

private:
    qint32 m_number = 0;
    QString m_description;
    QString m_extendedInfo;
};

} // namespace quenloft
