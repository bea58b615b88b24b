// Text for plain output, one record a line: a character that could end a line, move the
// cursor or start a terminal command is written as an escape (\n, \r, \t, \xNN), and so is
// each byte of a file name that is not valid text (\xNN, the byte itself). A name, a note
// or a run name then never makes a line of its own. JSON output does not need this.
#pragma once

#include <QString>

namespace quenloft::cli {

[[nodiscard]] QString Escaped(const QString &text);

} // namespace quenloft::cli
