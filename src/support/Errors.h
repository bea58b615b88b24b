// System error names and the one shared error record.
#pragma once

#include "support/ErrObject.h"

#include <QString>

namespace quenloft {

// The system error codes the program names itself, in the Windows numbering every failure
// carries (support/SystemError.h).
enum SystemErrorCode : qint32 {
    ErrorFileNotFound = 2,
    ErrorPathNotFound = 3,
    ErrorAccessDenied = 5,
    ErrorInvalidData = 13,
    ErrorCrc = 23,
    ErrorReadFault = 30,
    ErrorGeneralFailure = 31,
    ErrorSharingViolation = 32,
    ErrorLockViolation = 33,
    ErrorFileExists = 80,
    ErrorInvalidParameter = 87,
    ErrorInvalidName = 123,
    ErrorFilenameTooLong = 206, // also what opening a link without following it gives
    ErrorOperationAborted = 995,
};

// The fixed English name of a system error code, or "Unknown / Unlisted Error".
[[nodiscard]] QString GetErrorName(qint32 code);

// The shared error record, created (cleared) on first use and never cleared again.
[[nodiscard]] ErrObject &LastError();

// Replaces the whole shared record.
void RecordError(qint32 number, const QString &description, const QString &extendedInfo);

} // namespace quenloft
