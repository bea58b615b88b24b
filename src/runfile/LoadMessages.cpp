#include "runfile/LoadMessages.h"

namespace quenloft {

QString LoadErrorMessage(const Failure &failure, const QString &fileName)
{
    return QStringLiteral("Error (%1) - %2 - loading file [%3]!")
               .arg(failure.number)
               .arg(failure.description, fileName) +
           QStringLiteral("\r\nFile may be in use by VEXA, corrupt, or otherwise locked.");
}

} // namespace quenloft
