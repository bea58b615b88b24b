#include "support/UsersOwn.h"

#include "support/Errors.h"
#include "support/NativePath.h"
#include "support/SystemError.h"

#ifdef Q_OS_WIN
#include <QDir>
#include <QStandardPaths>

#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quenloft {
namespace {

QString cannotExamine(qint32 code)
{
    return QStringLiteral("cannot be examined (error %1: %2)").arg(code).arg(GetErrorName(code));
}

#ifndef Q_OS_WIN

// The owner and the write permissions, which folders and files share.
std::optional<QString> whyNotOwnedAlone(const struct stat &st)
{
    if (st.st_uid != ::geteuid())
        return QStringLiteral("belongs to another user (user %1)").arg(st.st_uid);
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        return QStringLiteral("can be written by other users (mode %1)")
            .arg(st.st_mode & 07777, 4, 8, QChar(u'0'));
    return std::nullopt;
}

#endif

} // namespace

#ifndef Q_OS_WIN

std::optional<QString> WhyNotUsersOwnFolder(const QString &path)
{
    const auto native = NativeBytesOfPath(path);
    if (!native)
        return cannotExamine(ErrorInvalidName);
    struct stat st;
    if (::lstat(native->constData(), &st) != 0)
        return cannotExamine(WindowsErrorFromErrno(errno));
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("is a symbolic link, not a folder of its own");
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("is not a folder");
    return whyNotOwnedAlone(st);
}

std::optional<QString> WhyNotUsersOwnFile(const NativeFile &file)
{
    struct stat st;
    if (::fstat(file.descriptor(), &st) != 0)
        return cannotExamine(WindowsErrorFromErrno(errno));
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("is not a regular file");
    return whyNotOwnedAlone(st);
}

#else // Q_OS_WIN

std::optional<QString> WhyNotUsersOwnFolder(const QString &path)
{
    if (path.contains(QChar(u'\0')))
        return cannotExamine(ErrorInvalidName);
    const DWORD attributes = ::GetFileAttributesW(reinterpret_cast<const wchar_t *>(path.utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return cannotExamine(LastSystemError());
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return QStringLiteral("is a link, not a folder of its own");
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return QStringLiteral("is not a folder");
    const QString own =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (own.isEmpty() || !(folder.compare(own, Qt::CaseInsensitive) == 0 ||
                           folder.startsWith(own + u'/', Qt::CaseInsensitive)))
        return QStringLiteral("is not inside the user's own application-data folder (%1)")
            .arg(QDir::toNativeSeparators(own));
    return std::nullopt;
}

std::optional<QString> WhyNotUsersOwnFile(const NativeFile &file)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(file.descriptor())),
                                      &info))
        return cannotExamine(LastSystemError());
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
        return QStringLiteral("is not a regular file");
    return std::nullopt;
}

#endif

} // namespace quenloft
