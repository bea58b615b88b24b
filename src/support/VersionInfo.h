// The program's version record and the title built from it.
#pragma once

#include <QString>

namespace quenloft {

struct VersionInfo
{
    QString productName;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString comments; // a one-line authorship note
};

[[nodiscard]] const VersionInfo &ProgramVersion();

// "Quenloft v3.00 build 2": the minor number as its last two digits, "0"-padded.
[[nodiscard]] QString TitleOf(const VersionInfo &version);

} // namespace quenloft
