// Finding the directory to show at start-up from the one stored at the last shut-down.
#pragma once

#include <QString>

namespace quenloft {

// `stored` if it still exists, else its nearest existing ancestor, else "". The root
// directory counts as existing and ends the walk for any absolute path.
[[nodiscard]] QString NearestExistingDirectory(const QString &stored);

} // namespace quenloft
