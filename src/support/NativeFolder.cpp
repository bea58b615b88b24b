#include "support/NativeFolder.h"

#include "support/Errors.h"
#include "support/Interrupted.h"
#include "support/NativePath.h"
#include "support/SystemError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
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
    return failureFromCode(ErrorInvalidName);
}

// As many links as the system follows in one path before it gives up.
constexpr int kMostLinks = 40;

#ifndef Q_OS_WIN

Failure failureFromErrno(int err)
{
    return failureFromCode(WindowsErrorFromErrno(err));
}

EntryKind kindOfMode(mode_t mode)
{
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    return S_ISREG(mode) ? EntryKind::File : EntryKind::Other;
}

EntryKind kindOf(const QByteArray &native, int &error, bool &isLink)
{
    struct stat link;
    isLink = false;
    if (::lstat(native.constData(), &link) != 0) {
        error = errno;
        return EntryKind::Missing;
    }
    error = 0;
    isLink = S_ISLNK(link.st_mode);
    struct stat target;
    if (!isLink)
        return kindOfMode(link.st_mode);
    if (::stat(native.constData(), &target) != 0)
        return EntryKind::Other;
    if (S_ISDIR(target.st_mode))
        return EntryKind::FolderLink;
    return S_ISREG(target.st_mode) ? EntryKind::File : EntryKind::Other;
}

// The folder gives the kind of most entries with their names; only links, and entries
// of file systems that do not say, are examined one by one. Folder walks and the browser
// lists over thousands of files depend on that.
EntryKind kindOfEntry(const dirent &item, const QByteArray &folderPrefix, int &error, bool &isLink)
{
#ifdef _DIRENT_HAVE_D_TYPE
    error = 0;
    isLink = false;
    if (item.d_type == DT_DIR)
        return EntryKind::Folder;
    if (item.d_type == DT_REG)
        return EntryKind::File;
#endif
    return kindOf(folderPrefix + item.d_name, error, isLink);
}

// The target a symbolic link holds, as bytes.
std::optional<QByteArray> linkTarget(const QByteArray &link, qint64 sizeHint, int &error)
{
    QByteArray target(qMax<qint64>(sizeHint, 255) + 1, Qt::Uninitialized);
    for (;;) {
        const ssize_t length = ::readlink(link.constData(), target.data(), size_t(target.size()));
        if (length < 0) {
            error = errno;
            return std::nullopt;
        }
        // A target as long as the buffer may have been cut off: read it again, larger.
        if (length < target.size()) {
            target.truncate(length);
            return target;
        }
        if (target.size() > (1 << 20)) {
            error = ENAMETOOLONG;
            return std::nullopt;
        }
        target.resize(target.size() * 2);
    }
}

// The folder part of a path, with its separator: what a relative link target is read
// against. Empty for a bare name.
QByteArray folderOf(const QByteArray &path)
{
    return path.left(path.lastIndexOf('/') + 1);
}

#else

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

bool isLinkAttributes(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
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
    bool isLink = false;
    const EntryKind kind = kindOf(*native, error, isLink);
    if (kind == EntryKind::Missing && error != ENOENT && error != ENOTDIR)
        return failureFromErrno(error);
    return kind;
}

Result<LinkEnd> EndOfLinks(const QString &path)
{
    const auto native = NativeBytesOfPath(path);
    if (!native)
        return invalidName();
    // Each link's target is joined to the folder the link is in, not cleaned as text: a
    // ".." after a linked folder leads out of the folder the link leads to, as the
    // system reads it.
    QByteArray at = *native;
    LinkEnd end;
    for (int links = 0;; ++links) {
        struct stat st;
        if (::lstat(at.constData(), &st) != 0) {
            if (errno == ELOOP) {
                end.loops = true;
            } else if (errno != ENOENT && errno != ENOTDIR) {
                return failureFromErrno(errno);
            }
            end.kind = EntryKind::Missing;
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            end.kind = kindOfMode(st.st_mode);
            break;
        }
        if (links == kMostLinks) {
            end.loops = true;
            end.kind = EntryKind::Other;
            break;
        }
        int error = 0;
        const auto target = linkTarget(at, st.st_size, error);
        if (!target)
            return failureFromErrno(error);
        at = target->startsWith('/') ? *target : folderOf(at) + *target;
        end.throughLink = true;
    }
    // The folder part made plain ("/runs/x.csv", not "linked/../runs/x.csv") where it
    // is there to resolve, so messages and the file written name one place.
    const QByteArray folder = folderOf(at);
    if (end.throughLink && !end.loops && !folder.isEmpty()) {
        if (char *real = ::realpath(folder.constData(), nullptr)) {
            const QByteArray resolved(real);
            ::free(real);
            at = (resolved.endsWith('/') ? resolved : resolved + '/') + at.mid(folder.size());
        }
    }
    end.path = PathFromNativeBytes(at);
    return end;
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
        bool isLink = false;
        const EntryKind kind = kindOfEntry(*item, prefix, error, isLink);
        // An entry removed since it was listed is simply gone.
        if (kind != EntryKind::Missing)
            entries.append({PathFromNativeBytes(name), kind, name.startsWith('.'), isLink});
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

Result<LinkEnd> EndOfLinks(const QString &path)
{
    if (path.contains(QChar(u'\0')))
        return invalidName();
    // Windows reads ".." in a path as text before any link in it, as QFileInfo does.
    LinkEnd end;
    end.path = path;
    QFileInfo info(path);
    for (int links = 0; info.isSymbolicLink() || info.isJunction(); ++links) {
        if (links == kMostLinks) {
            end.loops = true;
            end.kind = EntryKind::Other;
            return end;
        }
        end.path = QDir::toNativeSeparators(info.isJunction() ? info.junctionTarget()
                                                              : info.symLinkTarget());
        end.throughLink = true;
        info.setFile(end.path);
    }
    const DWORD attributes = ::GetFileAttributesW(wide(end.path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const qint32 code = LastSystemError();
        if (code != ErrorFileNotFound && code != ErrorPathNotFound)
            return failureFromCode(code);
        end.kind = EntryKind::Missing;
    } else {
        end.kind = kindOfAttributes(attributes & ~DWORD(FILE_ATTRIBUTE_REPARSE_POINT));
    }
    return end;
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
                            (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                            isLinkAttributes(data.dwFileAttributes)});
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
