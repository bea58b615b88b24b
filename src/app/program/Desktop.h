// Where the window program meets the desktop around it: its desktop id and icon, the
// application set-up shared by the program and its start-up benchmark, and the installed
// files it reads.
#pragma once

#include <QIcon>
#include <QString>

namespace quenloft {

// The reverse-DNS name of the desktop entry, the icons and the AppStream metadata.
inline constexpr char kDesktopId[] = "org.quenloft.Quenloft";

// The program's icon in every size it is drawn in.
[[nodiscard]] QIcon ProgramIcon();

// Names, style and icon of the running application; call once, after the QApplication
// exists and before the window is made.
void SetUpWindowProgram();

// version_history.html for a program in `programDirectory`: where an installation puts it
// (../share/quenloft), else beside the program (the build tree). When it is in neither,
// the place beside the program, so a failure names today's place.
[[nodiscard]] QString VersionHistoryPath(const QString &programDirectory);

} // namespace quenloft
