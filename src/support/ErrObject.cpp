#include "support/ErrObject.h"

namespace quenloft {

void ErrObject::Clear()
{
    m_number = 0;
    m_description.clear();
    m_extendedInfo.clear();
}

void ErrObject::SetError(qint32 lngNewNumber, const QString &strNewDescription,
                         const QString &strNewExtendedInfo)
{
    m_number = lngNewNumber;
    m_description = strNewDescription;
    m_extendedInfo = strNewExtendedInfo;
}

} // namespace quenloft
