// The message a failed load shows.
#pragma once

#include "support/Result.h"

#include <QString>

namespace quenloft {

// "Error (n) - description - loading file [name]!" CR LF
// "File may be in use by VEXA, corrupt, or otherwise locked."
[[nodiscard]] QString LoadErrorMessage(const Failure &failure, const QString &fileName);

} // namespace quenloft
