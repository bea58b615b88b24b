#include "browser/Files.h"

#include "browser/FileSystemCalls.h"
#include "support/Errors.h"
#include "support/FileHandle.h"
#include "support/General.h"

namespace quenloft {
namespace {

static_assert(kDirectoryAttribute == fscalls::kAttributeDirectory);

// The attribute mask of the open search, used for every continuation of it.
quint32 s_searchMask = 0;

// Holds the one open directory search; replacing or dropping its handle closes the search.
FileHandle &searchHolder()
{
    // Statics die in reverse order of construction and the holder closes its search when it
    // dies, so the platform's table of searches must be constructed first.
    static const int searchesAtStart = fscalls::openSearchCount();
    Q_UNUSED(searchesAtStart);
    static FileHandle holder([](qint32 handle) { fscalls::closeSearch(handle); });
    return holder;
}

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == kPathSeparator;
#endif
}

qsizetype lastSeparator(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path.at(i)))
            return i;
    return -1;
}

bool isAccepted(const fscalls::FoundEntry &entry, bool skipDirectories)
{
    const QString name = StripNulls(entry.longName, true);
    if (name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    if ((entry.attributes & s_searchMask) != s_searchMask)
        return false;
    return !(skipDirectories && (entry.attributes & kDirectoryAttribute));
}

} // namespace

QString FindFile(const QString &path, quint32 mask, quint32 *attributes, bool shortName,
                 qint32 *size, bool skipDirectories)
{
    FileHandle &holder = searchHolder();
    fscalls::FoundEntry entry;
    bool found = false;
    if (!path.isEmpty()) {
        s_searchMask = mask;
        holder.setHandle(0);
        qint32 error = 0;
        const QString apiPath = ToApiString(path, false).value_or(QString());
        holder.setHandle(fscalls::findFirstEntry(apiPath, entry, error));
        if (holder.Handle() < 1) {
            RecordError(error, GetErrorName(error), QString());
            return QString();
        }
        found = true;
    } else {
        if (holder.Handle() < 1)
            return QString();
        found = fscalls::findNextEntry(holder.Handle(), entry);
    }

    while (found && !isAccepted(entry, skipDirectories))
        found = fscalls::findNextEntry(holder.Handle(), entry);
    if (!found) {
        holder.setHandle(0);
        return QString();
    }

    if (attributes)
        *attributes = entry.attributes;
    if (size && entry.sizeLow > 0)
        *size = entry.sizeLow;
    return StripNulls(shortName ? entry.shortName : entry.longName, false);
}

bool FileExists(const QString &path)
{
    // An empty path would continue whatever search happens to be open rather than test
    // anything, so it is simply absent.
    const bool exists = !path.isEmpty() && !FindFile(path).isEmpty();
    searchHolder().setHandle(0);
    return exists;
}

QString GetParentPath(const QString &path)
{
    const QString trimmed = TrimSpaces(path);
    const qsizetype separator = lastSeparator(trimmed);
    if (separator <= 0)
        return QString();
    return TrimSpaces(trimmed.left(separator));
}

bool KillFile(const QString &path)
{
    if (TrimSpaces(path).isEmpty()) {
        RecordError(-1, QStringLiteral("No File Specified"), QString());
        return false;
    }
    qint32 error = fscalls::deleteFile(path);
    if (error == 0)
        return true;

    QString retryPath;
#ifdef Q_OS_WIN
    // Some long names are refused where the same file's short name is not.
    const QString alias = FindFile(path, 0, nullptr, true);
    searchHolder().setHandle(0);
    if (!alias.isEmpty()) {
        // The folder is taken from the path itself: for a bare name the parent path is empty,
        // and "\" + alias would name a file in the root folder instead.
        retryPath = path.left(lastSeparator(path) + 1) + alias;
        error = fscalls::deleteFile(retryPath);
        if (error == 0)
            return true;
    }
#endif
    // Only Windows has short names; elsewhere no retry is made and retryPath stays empty.
    RecordError(error, GetErrorName(error), retryPath.toLower());
    return false;
}

bool RenameFile(const QString &oldPath, const QString &newPath)
{
    const qint32 error = fscalls::renameNoReplace(oldPath, newPath);
    if (error == 0)
        return true;
    RecordError(error, GetErrorName(error), oldPath);
    return false;
}

bool IsSearchOpen()
{
    return searchHolder().Handle() >= 1 || fscalls::openSearchCount() > 0;
}

} // namespace quenloft
