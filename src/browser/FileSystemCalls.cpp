#include "browser/FileSystemCalls.h"

#include "support/NativePath.h"
#include "support/SystemError.h"

#include <QList>

#include <cerrno>
#include <memory>
#include <optional>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif
#endif

namespace quenloft::fscalls {
namespace {

// The text a call taking a C string would see: everything before the first NUL. NUL padding
// at the end is common (fixed-size buffers, ToApiString) and harmless, but text after a NUL
// would be cut off silently and the call would act on another path than the one named, so
// such a path is refused instead.
std::optional<QString> callableText(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul < 0)
        return text;
    for (qsizetype i = nul; i < text.size(); ++i)
        if (text.at(i) != QChar(u'\0'))
            return std::nullopt;
    return text.left(nul);
}

// Open searches by handle number: handle n is slot n - 1. Freed slots are reused so the
// numbers stay small.
template <typename Search> class SearchTable
{
public:
    qint32 add(std::unique_ptr<Search> search)
    {
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            if (!m_slots[i]) {
                m_slots[i] = std::move(search);
                return qint32(i + 1);
            }
        }
        m_slots.push_back(std::move(search));
        return qint32(m_slots.size());
    }

    Search *find(qint32 handle) const
    {
        if (handle < 1 || std::size_t(handle) > m_slots.size())
            return nullptr;
        return m_slots[std::size_t(handle) - 1].get();
    }

    void remove(qint32 handle)
    {
        if (find(handle))
            m_slots[std::size_t(handle) - 1].reset();
    }

    int count() const
    {
        int open = 0;
        for (const auto &slot : m_slots)
            open += slot ? 1 : 0;
        return open;
    }

private:
    std::vector<std::unique_ptr<Search>> m_slots;
};

#ifdef Q_OS_WIN

// ---------------------------------------------------------------- Windows

struct Search
{
    HANDLE handle = INVALID_HANDLE_VALUE;

    Search() = default;
    Search(const Search &) = delete;
    Search &operator=(const Search &) = delete;
    ~Search()
    {
        if (handle != INVALID_HANDLE_VALUE)
            ::FindClose(handle);
    }
};

SearchTable<Search> &searches()
{
    static SearchTable<Search> table;
    return table;
}

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

void fillEntry(const WIN32_FIND_DATAW &data, FoundEntry &entry)
{
    entry.attributes = quint32(data.dwFileAttributes);
    entry.sizeLow = qint32(data.nFileSizeLow);
    entry.longName = QString::fromWCharArray(data.cFileName);
    entry.shortName = QString::fromWCharArray(data.cAlternateFileName);
}

} // namespace

qint32 findFirstEntry(const QString &pattern, FoundEntry &entry, qint32 &error)
{
    const auto path = callableText(pattern);
    if (!path) {
        error = kInvalidNameError;
        return kInvalidSearch;
    }
    WIN32_FIND_DATAW data{};
    const HANDLE handle = ::FindFirstFileW(wide(*path), &data);
    if (handle == INVALID_HANDLE_VALUE) {
        error = LastSystemError();
        return kInvalidSearch;
    }
    auto search = std::make_unique<Search>();
    search->handle = handle;
    fillEntry(data, entry);
    return searches().add(std::move(search));
}

bool findNextEntry(qint32 handle, FoundEntry &entry)
{
    Search *search = searches().find(handle);
    if (!search)
        return false;
    WIN32_FIND_DATAW data{};
    if (!::FindNextFileW(search->handle, &data))
        return false;
    fillEntry(data, entry);
    return true;
}

qint32 deleteFile(const QString &path)
{
    const auto target = callableText(path);
    if (!target)
        return kInvalidNameError;
    return ::DeleteFileW(wide(*target)) ? 0 : LastSystemError();
}

qint32 renameNoReplace(const QString &oldPath, const QString &newPath)
{
    const auto from = callableText(oldPath);
    const auto to = callableText(newPath);
    if (!from || !to)
        return kInvalidNameError;
    // Without MOVEFILE_REPLACE_EXISTING an existing target is refused.
    return ::MoveFileExW(wide(*from), wide(*to), MOVEFILE_COPY_ALLOWED) ? 0 : LastSystemError();
}

QList<LogicalDrive> logicalDrives()
{
    QList<LogicalDrive> drives;
    const DWORD letters = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(letters & (1u << i)))
            continue;
        const QString root = QChar(u'A' + i) + QStringLiteral(":\\");
        // A drive without a medium (an empty card reader) has no label to read, and asking
        // would fail or, on old floppy drives, wait for the drive: only drives that hold
        // their medium for good are asked.
        wchar_t label[MAX_PATH + 1] = {};
        const UINT type = ::GetDriveTypeW(wide(root));
        const bool ask = type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK;
        if (!ask || !::GetVolumeInformationW(wide(root), label, MAX_PATH + 1, nullptr, nullptr,
                                             nullptr, nullptr, 0))
            label[0] = 0;
        drives.append({QChar(u'A' + i) + QStringLiteral(":/"), QString::fromWCharArray(label)});
    }
    return drives;
}

#else

// ---------------------------------------------------------------- POSIX

struct Search
{
    DIR *dir = nullptr; // null for a pattern without wildcards: its one entry is returned
    QByteArray folder;  // native folder path, with a trailing separator
    QList<uint> pattern;

    Search() = default;
    Search(const Search &) = delete;
    Search &operator=(const Search &) = delete;
    ~Search()
    {
        if (dir)
            ::closedir(dir);
    }
};

SearchTable<Search> &searches()
{
    static SearchTable<Search> table;
    return table;
}

bool hasWildcards(const QString &text)
{
    return text.contains(QChar(u'*')) || text.contains(QChar(u'?'));
}

// `*` matches any run of characters and `?` exactly one; everything else, brackets
// included, matches itself. Case-sensitive, like the file system.
bool matchesWildcard(const QList<uint> &pattern, const QList<uint> &name)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starAt = -1;
    qsizetype starMatched = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            starMatched = n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++starMatched;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool isDirectory(const QByteArray &path)
{
    struct stat info
    {
    };
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder part of a native path, as a path that can be opened ("." for a bare name).
QByteArray folderOf(const QByteArray &path)
{
    const qsizetype separator = path.lastIndexOf('/');
    if (separator < 0)
        return QByteArrayLiteral(".");
    if (separator == 0)
        return QByteArrayLiteral("/");
    return path.left(separator);
}

// errno as a Windows code, telling a missing entry (2) from a missing folder (3) as the
// Windows calls do; POSIX reports ENOENT for both.
qint32 errorFor(int errnoValue, const QByteArray &path)
{
    if (errnoValue == ENOENT && !isDirectory(folderOf(path)))
        return 3;
    return WindowsErrorFromErrno(errnoValue);
}

// Attributes and size of an entry; false when it vanished since it was listed.
bool describe(const QByteArray &path, const QString &name, FoundEntry &entry)
{
    struct stat info
    {
    };
    // A dangling symbolic link is still an entry: describe the link itself.
    if (::stat(path.constData(), &info) != 0 && ::lstat(path.constData(), &info) != 0)
        return false;
    quint32 attributes = 0;
    if (S_ISDIR(info.st_mode))
        attributes |= kAttributeDirectory;
    if (name.startsWith(QChar(u'.')))
        attributes |= kAttributeHidden;
    if (!(info.st_mode & S_IWUSR))
        attributes |= kAttributeReadOnly;
    entry.attributes = attributes ? attributes : kAttributeNormal;
    entry.sizeLow = S_ISDIR(info.st_mode) ? 0 : qint32(quint32(quint64(info.st_size)));
    entry.longName = name;
    entry.shortName.clear();
    return true;
}

bool readNextMatch(Search &search, FoundEntry &entry)
{
    if (!search.dir)
        return false;
    while (const dirent *item = ::readdir(search.dir)) {
        const QString name = PathFromNativeBytes(item->d_name);
        if (matchesWildcard(search.pattern, name.toUcs4()) &&
            describe(search.folder + item->d_name, name, entry))
            return true;
    }
    return false;
}

} // namespace

qint32 findFirstEntry(const QString &pattern, FoundEntry &entry, qint32 &error)
{
    const auto text = callableText(pattern);
    if (!text) {
        error = kInvalidNameError;
        return kInvalidSearch;
    }
    const qsizetype separator = text->lastIndexOf(QChar(u'/'));
    QString name = text->mid(separator + 1);
    // A path ending in a separator names a folder's contents, not an entry.
    if (name.isEmpty()) {
        error = 2;
        return kInvalidSearch;
    }
    const auto native = NativeBytesOfPath(*text);
    if (!native) {
        error = kInvalidNameError;
        return kInvalidSearch;
    }
    const QByteArray path = *native;
    QByteArray folder = folderOf(path);
    if (!folder.endsWith('/'))
        folder += '/';

    if (!hasWildcards(name)) {
        if (!describe(path, name, entry)) {
            error = errorFor(errno, path);
            return kInvalidSearch;
        }
        return searches().add(std::make_unique<Search>());
    }

    // "*.*" has always meant every entry, with or without a dot.
    if (name == QStringLiteral("*.*"))
        name = QStringLiteral("*");
    auto search = std::make_unique<Search>();
    search->folder = folder;
    search->pattern = name.toUcs4();
    search->dir = ::opendir(folderOf(path).constData());
    if (!search->dir) {
        // The folder itself is what is missing here.
        error = errno == ENOENT ? 3 : WindowsErrorFromErrno(errno);
        return kInvalidSearch;
    }
    if (!readNextMatch(*search, entry)) {
        error = 2;
        return kInvalidSearch;
    }
    return searches().add(std::move(search));
}

bool findNextEntry(qint32 handle, FoundEntry &entry)
{
    Search *search = searches().find(handle);
    return search && readNextMatch(*search, entry);
}

qint32 deleteFile(const QString &path)
{
    const auto text = callableText(path);
    if (!text)
        return kInvalidNameError;
    const auto native = NativeBytesOfPath(*text);
    if (!native)
        return kInvalidNameError;
    const QByteArray target = *native;
    // unlink() refuses a directory (EISDIR, reported as Access Denied), as DeleteFile does.
    if (::unlink(target.constData()) == 0)
        return 0;
    return errorFor(errno, target);
}

namespace {

// The error of a failed rename: which of the two paths is missing decides between
// File Not Found and Path Not Found.
qint32 renameError(int errnoValue, const QByteArray &from, const QByteArray &to)
{
    if (errnoValue != ENOENT)
        return WindowsErrorFromErrno(errnoValue);
    struct stat info
    {
    };
    if (::lstat(from.constData(), &info) != 0)
        return errorFor(ENOENT, from);
    return errorFor(ENOENT, to);
}

qint32 linkThenUnlink(const QByteArray &from, const QByteArray &to)
{
    // link() never replaces an existing name either.
    if (::link(from.constData(), to.constData()) != 0)
        return renameError(errno, from, to);
    if (::unlink(from.constData()) != 0) {
        const int failure = errno;
        // Leave things as they were rather than with the file under two names.
        ::unlink(to.constData());
        return WindowsErrorFromErrno(failure);
    }
    return 0;
}

} // namespace

qint32 renameByLinking(const QString &oldPath, const QString &newPath)
{
    const auto from = callableText(oldPath);
    const auto to = callableText(newPath);
    if (!from || !to)
        return kInvalidNameError;
    const auto fromNative = NativeBytesOfPath(*from);
    const auto toNative = NativeBytesOfPath(*to);
    if (!fromNative || !toNative)
        return kInvalidNameError;
    return linkThenUnlink(*fromNative, *toNative);
}

qint32 renameNoReplace(const QString &oldPath, const QString &newPath)
{
    const auto fromText = callableText(oldPath);
    const auto toText = callableText(newPath);
    if (!fromText || !toText)
        return kInvalidNameError;
    const auto fromNative = NativeBytesOfPath(*fromText);
    const auto toNative = NativeBytesOfPath(*toText);
    if (!fromNative || !toNative)
        return kInvalidNameError;
    const QByteArray from = *fromNative;
    const QByteArray to = *toNative;

#if defined(__linux__) && defined(SYS_renameat2)
    // Called through syscall() so that it does not depend on the C library's wrapper.
    constexpr unsigned int kRenameNoReplace = 1; // RENAME_NOREPLACE
    if (::syscall(SYS_renameat2, AT_FDCWD, from.constData(), AT_FDCWD, to.constData(),
                  kRenameNoReplace) == 0)
        return 0;
    const int failure = errno;
    const bool flagRefused = failure == EINVAL || failure == ENOSYS || failure == EOPNOTSUPP;
    struct stat info
    {
    };
    const bool isFile = ::lstat(from.constData(), &info) == 0 && !S_ISDIR(info.st_mode);
    // EINVAL also means "a folder into itself"; only a file can take the linking route.
    if (!flagRefused || !isFile)
        return renameError(failure, from, to);
#endif
    // Never fall back to rename(): it would replace an existing target without a word.
    return linkThenUnlink(from, to);
}

#endif

void closeSearch(qint32 handle)
{
    searches().remove(handle);
}

int openSearchCount()
{
    return searches().count();
}

} // namespace quenloft::fscalls
