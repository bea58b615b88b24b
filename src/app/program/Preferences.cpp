#include "app/program/Preferences.h"

#include "support/NumberText.h"

#include <QSettings>

namespace quenloft {

Preferences::Preferences()
    : m_settings(
          std::make_unique<QSettings>(QStringLiteral("Quenloft"), QStringLiteral("Quenloft")))
{
}

Preferences::Preferences(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

Preferences::~Preferences() = default;

QString Preferences::value(const QString &section, const QString &key) const
{
    // A hand-edited value QSettings reads as a list or a number still comes back as text;
    // anything else unusable reads as absent.
    const QVariant stored = m_settings->value(section + u'/' + key);
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QStringLiteral(", "));
    return stored.toString();
}

void Preferences::setValue(const QString &section, const QString &key, const QString &value)
{
    m_settings->setValue(section + u'/' + key, value);
}

void Preferences::sync()
{
    m_settings->sync();
}

bool IsTrueText(const QString &text)
{
    const std::optional<double> value = ParseDouble(text);
    return value.has_value() && *value != 0.0;
}

QString FlagText(bool value)
{
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}

} // namespace quenloft
