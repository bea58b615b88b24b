// Where the window keeps its preferences on Windows. Empty elsewhere.
#include <QtGlobal>

#ifdef Q_OS_WIN

#include "app/program/Preferences.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

// QSettings' Windows store: the registry, under the application's name.
TEST(WindowsPreferences, AreKeptInTheRegistryUnderTheApplicationsName)
{
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Quenloft\\Quenloft");
    {
        quenloft::Preferences preferences;
        preferences.setValue(QStringLiteral("TestSection"), QStringLiteral("Probe"),
                             QStringLiteral("-1"));
        preferences.sync();
    }
    QSettings registry(key, QSettings::NativeFormat);
    EXPECT_EQ(registry.value(QStringLiteral("TestSection/Probe")).toString(), QStringLiteral("-1"));
    registry.remove(QStringLiteral("TestSection"));
}

} // namespace

#endif
