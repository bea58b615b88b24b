#include "support/VersionInfo.h"

namespace quenloft {

const VersionInfo &ProgramVersion()
{
    static const VersionInfo version{QStringLiteral("Quenloft"), QUENLOFT_VERSION_MAJOR,
                                     QUENLOFT_VERSION_MINOR, QUENLOFT_VERSION_REVISION,
                                     QStringLiteral("by the Quenloft team")};
    return version;
}

QString TitleOf(const VersionInfo &version)
{
    const QString minor = (u'0' + QString::number(version.minor)).right(2);
    return QStringLiteral("%1 v%2.%3 build %4")
        .arg(version.productName)
        .arg(version.major)
        .arg(minor)
        .arg(version.revision);
}

} // namespace quenloft
