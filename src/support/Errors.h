// System error names and the one shared error record.
#pragma once

#include "support/ErrObject.h"

#include <QString>

namespace quenloft {

// The fixed English name of a system error code, or "Unknown / Unlisted Error".
[[nodiscard]] QString GetErrorName(qint32 code);

// The shared error record, created (cleared) on first use and never cleared again.
[[nodiscard]] ErrObject &LastError();

// Replaces the whole shared record.
void RecordError(qint32 number, const QString &description, const QString &extendedInfo);

} // namespace quenloft
