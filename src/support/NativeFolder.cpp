#include "support/NativeFolder.h"

#include "support/Errors.h"
#include "support/Interrupted.h"
#include "support/NativePath.h"
#include "support/SystemError.h"

#include <QDir>

#include <cerrno>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quenloft {
namespace {

Failure failureFromCode(qint32 code)
{
    return Failure{code, GetErrorName(code)};
}

Failure invalidName()
{
    return failureFromCode(123);
}

#ifndef Q_OS_WIN

Failure failureFromErrno(int err)
{
    return failureFromCode(WindowsErrorFromErrno(err));
}

EntryKind kindOf(const QByteArray &native, int &error)
{
    struct stat link;
    if (::lstat(native.constData(), &link) != 0) {
        error = errno;
        return EntryKind::Missing;
    }
    error = 0;
    if (S_ISDIR(link.st_mode))
        return EntryKind::Folder;
    if (S_ISREG(link.st_mode))
        return EntryKind::File;
    struct stat target;
    if (!S_ISLNK(link.st_mode) || ::stat(native.constData(), &target) != 0)
        return EntryKind::Other;
    if (S_ISDIR(target.st_mode))
        return EntryKind::FolderLink;
    return S_ISREG(target.st_mode) ? EntryKind::File : EntryKind::Other;
}

// The folder gives the kind of most entries with their names; only links, and entries
// of file systems that do not say, are examined one by one. Folder walks and the browser
// lists over thousands of files depend on that.
EntryKind kindOfEntry(const dirent &item, const QByteArray &folderPrefix, int &error)
{
#ifdef _DIRENT_HAVE_D_TYPE
    error = 0;
    if (item.d_type == DT_DIR)
        return EntryKind::Folder;
    if (item.d_type == DT_REG)
        return EntryKind::File;
#endif
    return kindOf(folderPrefix + item.d_name, error);
}

#else

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

EntryKind kindOfAttributes(DWORD attributes)
{
    const bool folder = attributes & FILE_ATTRIBUTE_DIRECTORY;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return folder ? EntryKind::FolderLink : EntryKind::File;
    if (folder)
        return EntryKind::Folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? EntryKind::Other : EntryKind::File;
}

#endif

} // namespace

QString JoinPath(const QString &folder, const QString &name)
{
#ifdef Q_OS_WIN
    // Backslashes throughout, also where the folder came with Qt's forward slashes, so a path
    // reads the same whoever built it.
    const QString native = QDir::toNativeSeparators(folder);
    return native.isEmpty() || native.endsWith(u'\\') ? native + name : native + u'\\' + name;
#else
    return folder.isEmpty() || folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
#endif
}

QString AbsolutePath(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
#else
    if (path.startsWith(u'/'))
        return QDir::cleanPath(path);
    QByteArray folder(4096, Qt::Uninitialized);
    while (!::getcwd(folder.data(), size_t(folder.size()))) {
        if (errno != ERANGE || folder.size() > (1 << 20))
            return path; // no current folder to resolve against: the path as given
        folder.resize(folder.size() * 2);
    }
    folder.truncate(qsizetype(qstrlen(folder.constData())));
    return QDir::cleanPath(JoinPath(PathFromNativeBytes(folder), path));
#endif
}

#ifndef Q_OS_WIN

Result<EntryKind> KindOfPath(const QString &path)
{
    const auto native = NativeBytesOfPath(path);
    if (!native)
        return invalidName();
    int error = 0;
    const EntryKind kind = kindOf(*native, error);
    if (kind == EntryKind::Missing && error != ENOENT && error != ENOTDIR)
        return failureFromErrno(error);
    return kind;
}

Result<QList<FolderEntry>> ListFolder(const QString &path)
{
    const auto native = NativeBytesOfPath(path.isEmpty() ? QStringLiteral(".") : path);
    if (!native)
        return invalidName();
    DIR *dir = ::opendir(native->constData());
    if (!dir)
        return failureFromErrno(errno);
    const QByteArray prefix = native->endsWith('/') ? *native : *native + '/';
    QList<FolderEntry> entries;
    errno = 0;
    while (const dirent *item = ::readdir(dir)) {
        const QByteArrayView name(item->d_name);
        if (name == "." || name == "..")
            continue;
        int error = 0;
        const EntryKind kind = kindOfEntry(*item, prefix, error);
        // An entry removed since it was listed is simply gone.
        if (kind != EntryKind::Missing)
            entries.append({PathFromNativeBytes(name), kind, name.startsWith('.')});
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0)
        return failureFromErrno(error);
    return entries;
}

Result<Done> MakeFolderPath(const QString &path)
{
    const auto native = NativeBytesOfPath(path);
    if (!native || native->isEmpty())
        return invalidName();
    // Each prefix that ends before a separator, then the whole path.
    for (qsizetype i = 1; i <= native->size(); ++i) {
        if (i < native->size() && native->at(i) != '/')
            continue;
        const QByteArray prefix = native->left(i);
        if (RetriedWhileInterrupted([&] { return ::mkdir(prefix.constData(), 0700); }) != 0 &&
            errno != EEXIST)
            return failureFromErrno(errno);
    }
    struct stat st;
    if (::stat(native->constData(), &st) != 0)
        return failureFromErrno(errno);
    if (!S_ISDIR(st.st_mode))
        return failureFromErrno(ENOTDIR);
    return Done{};
}

Result<Done> SyncFolder(const QString &path)
{
    const auto native = NativeBytesOfPath(path);
    if (!native)
        return invalidName();
    const int fd = RetriedWhileInterrupted(
        [&] { return ::open(native->constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (fd < 0)
        return failureFromErrno(errno);
    const int synced = RetriedWhileInterrupted([&] { return ::fsync(fd); });
    const int error = errno;
    ::close(fd);
    // Some file systems cannot sync a folder and say so; their names are as durable as
    // they get.
    if (synced != 0 && error != EINVAL && error != ENOTSUP)
        return failureFromErrno(error);
    return Done{};
}

Result<Done> RemoveFile(const QString &path)
{
    const auto native = NativeBytesOfPath(path);
    if (!native)
        return invalidName();
    if (RetriedWhileInterrupted([&] { return ::unlink(native->constData()); }) != 0)
        return failureFromErrno(errno);
    return Done{};
}

Result<Done> ReplaceFileAtomically(const QString &from, const QString &to)
{
    const auto source = NativeBytesOfPath(from);
    const auto target = NativeBytesOfPath(to);
    if (!source || !target)
        return invalidName();
    if (RetriedWhileInterrupted(
            [&] { return ::rename(source->constData(), target->constData()); }) != 0)
        return failureFromErrno(errno);
    return Done{};
}

#else // Q_OS_WIN

Result<EntryKind> KindOfPath(const QString &path)
{
    if (path.contains(QChar(u'\0')))
        return invalidName();
    const DWORD attributes = ::GetFileAttributesW(wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const qint32 code = LastSystemError();
        if (code == 2 || code == 3)
            return EntryKind::Missing;
        return failureFromCode(code);
    }
    return kindOfAttributes(attributes);
}

Result<QList<FolderEntry>> ListFolder(const QString &path)
{
    if (path.contains(QChar(u'\0')))
        return invalidName();
    const QString pattern =
        JoinPath(path.isEmpty() ? QStringLiteral(".") : path, QStringLiteral("*"));
    WIN32_FIND_DATAW data{};
    const HANDLE search = ::FindFirstFileW(wide(pattern), &data);
    if (search == INVALID_HANDLE_VALUE)
        return failureFromCode(LastSystemError());
    QList<FolderEntry> entries;
    do {
        const QString name = QString::fromWCharArray(data.cFileName);
        if (name != u"." && name != u"..")
            entries.append({name, kindOfAttributes(data.dwFileAttributes),
                            (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0});
    } while (::FindNextFileW(search, &data));
    const qint32 code = LastSystemError();
    ::FindClose(search);
    if (code != ERROR_NO_MORE_FILES)
        return failureFromCode(code);
    return entries;
}

Result<Done> MakeFolderPath(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return invalidName();
    for (qsizetype i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path.at(i) != u'\\' && path.at(i) != u'/')
            continue;
        const QString prefix = path.left(i);
        if (prefix.endsWith(u':'))
            continue; // a drive, not a folder to create
        if (!::CreateDirectoryW(wide(prefix), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return failureFromCode(LastSystemError());
    }
    return Done{};
}

Result<Done> SyncFolder(const QString &path)
{
    // Windows makes a folder's names durable with the files written through to it.
    Q_UNUSED(path);
    return Done{};
}

Result<Done> RemoveFile(const QString &path)
{
    if (path.contains(QChar(u'\0')))
        return invalidName();
    if (!::DeleteFileW(wide(path)))
        return failureFromCode(LastSystemError());
    return Done{};
}

Result<Done> ReplaceFileAtomically(const QString &from, const QString &to)
{
    if (from.contains(QChar(u'\0')) || to.contains(QChar(u'\0')))
        return invalidName();
    if (!::MoveFileExW(wide(from), wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failureFromCode(LastSystemError());
    return Done{};
}

#endif

} // namespace quenloft
