#include "app/program/LastDirectory.h"

#include "browser/Files.h"

namespace quenloft {

QString NearestExistingDirectory(const QString &stored)
{
    const QChar separator(kPathSeparator);
    QString candidate = stored;
    while (!candidate.isEmpty() && !FileExists(candidate)) {
        if (!candidate.contains(separator)) {
            candidate.clear();
            break;
        }
#ifndef Q_OS_WIN
        // FileExists refuses a path ending in a separator, and GetParentPath of "/runs" is
        // empty; on a system without drive letters the root is where every walk ends.
        if (candidate.startsWith(separator) && candidate.lastIndexOf(separator) == 0)
            return candidate.size() == 1 ? candidate : QString(separator);
#endif
        candidate = GetParentPath(candidate);
    }
    return candidate;
}

} // namespace quenloft
