#include "runfile/JournalStore.h"

#include "support/NativeFolder.h"
#include "support/NativePath.h"
#include "support/UsersOwn.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace quenloft {
namespace {

const QString kSuffix = QStringLiteral(".journal");
const QString kPartSuffix = QStringLiteral(".part");

QString &folderOverride()
{
    static QString folder;
    return folder;
}

// An environment variable without loss of the bytes of a POSIX path.
QString pathFromEnvironment(const char *name)
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable(name);
#else
    return PathFromNativeBytes(qgetenv(name));
#endif
}

Failure describe(const Failure &failure, const QString &doing)
{
    return Failure{failure.number, QStringLiteral("%1 failed: error %2 (%3)")
                                       .arg(doing)
                                       .arg(failure.number)
                                       .arg(failure.description)};
}

// Sixteen lower-case hexadecimal digits. By hand: every file read asks for its journal's
// name, and QString::arg would cost more than reading a small run file.
QString hex16(quint64 value)
{
    QString digits(16, Qt::Uninitialized);
    for (int i = 15; i >= 0; --i, value >>= 4)
        digits[i] = QChar(u"0123456789abcdef"[value & 0xF]);
    return digits;
}

} // namespace

Result<QString> JournalFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString fromEnvironment = pathFromEnvironment("QUENLOFT_JOURNAL_DIR");
    if (!fromEnvironment.isEmpty()) {
        if (!QDir::isAbsolutePath(fromEnvironment))
            return Failure{ErrorPathNotFound,
                           QStringLiteral("QUENLOFT_JOURNAL_DIR (%1) does not name an absolute "
                                          "folder, so no rollback journal can be kept")
                               .arg(fromEnvironment)};
        return fromEnvironment;
    }
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!QDir::isAbsolutePath(data))
        return Failure{ErrorPathNotFound,
                       QStringLiteral("The user's application-data folder cannot be found, so "
                                      "no rollback journal can be kept")};
    return QDir::toNativeSeparators(
        JoinPath(JoinPath(data, QStringLiteral("Quenloft")), QStringLiteral("journals")));
#else
    QString state = pathFromEnvironment("XDG_STATE_HOME");
    if (!state.startsWith(u'/')) {
        const QString home = pathFromEnvironment("HOME");
        if (!home.startsWith(u'/'))
            return Failure{ErrorPathNotFound,
                           QStringLiteral("No folder for rollback journals: neither "
                                          "XDG_STATE_HOME nor HOME names an absolute folder, "
                                          "so no rollback journal can be kept")};
        state = JoinPath(JoinPath(home, QStringLiteral(".local")), QStringLiteral("state"));
    }
    return JoinPath(JoinPath(state, QStringLiteral("Quenloft")), QStringLiteral("journals"));
#endif
}

void SetJournalFolder(const QString &folder)
{
    folderOverride() = folder;
}

Result<QString> JournalPathFor(const FileStamp &identity)
{
    const auto folder = JournalFolder();
    if (!folder)
        return folder.failure();
    return JoinPath(folder.value(),
                    hex16(identity.device) + u'-' + hex16(identity.inode) + kSuffix);
}

Result<Done> CheckJournalFolder(const QString &folder)
{
    if (const auto why = WhyNotUsersOwnFolder(folder))
        return Failure{JournalNotTrusted,
                       QStringLiteral("The journal folder %1 %2; rollback journals are kept and "
                                      "applied only in a folder of the user's own that no other "
                                      "user can write to")
                           .arg(folder, *why)};
    return Done{};
}

Result<JournalFolderContents> PendingJournalPaths()
{
    const auto folder = JournalFolder();
    if (!folder)
        return JournalFolderContents{}; // nothing can have been kept
    const auto kind = KindOfPath(folder.value());
    if (!kind)
        return describe(kind.failure(),
                        QStringLiteral("Examining the journal folder %1").arg(folder.value()));
    if (kind.value() == EntryKind::Missing)
        return JournalFolderContents{};
    const auto entries = ListFolder(folder.value());
    if (!entries)
        return describe(entries.failure(),
                        QStringLiteral("Reading the journal folder %1").arg(folder.value()));
    JournalFolderContents contents;
    for (const FolderEntry &entry : entries.value()) {
        if (entry.name.endsWith(kSuffix))
            contents.journals.append(JoinPath(folder.value(), entry.name));
        else if (entry.name.endsWith(kSuffix + kPartSuffix))
            contents.leftoverParts.append(JoinPath(folder.value(), entry.name));
    }
    std::sort(contents.journals.begin(), contents.journals.end());
    std::sort(contents.leftoverParts.begin(), contents.leftoverParts.end());
    return contents;
}

Result<QString> StoreJournal(const RollbackJournal &journal)
{
    const auto folder = JournalFolder();
    if (!folder)
        return folder.failure();
    const auto made = MakeFolderPath(folder.value());
    if (!made)
        return describe(made.failure(),
                        QStringLiteral("Creating the journal folder %1").arg(folder.value()));
    const auto trusted = CheckJournalFolder(folder.value());
    if (!trusted)
        return trusted.failure();
    const QString path = JournalPathFor(journal.file).value();
    const auto existing = KindOfPath(path);
    if (!existing)
        return describe(existing.failure(), QStringLiteral("Examining the journal %1").arg(path));
    if (existing.value() != EntryKind::Missing)
        return Failure{ErrorFileExists,
                       QStringLiteral("A rollback journal of an earlier save of this file is "
                                      "still pending (%1); load the file again to have its "
                                      "original bytes put back, or remove the journal with "
                                      "\"quenloft-cli recover --discard\" if it cannot be "
                                      "applied")
                           .arg(path)};
    (void)RemoveLeftoverParts();

    // Written under another name and renamed when complete, so a journal under its own
    // name is always whole. The part is locked while it is written, so that only parts
    // whose writer has died are taken for leftovers.
    const QString part = path + kPartSuffix;
    const QByteArray bytes = EncodeJournal(journal);
    {
        auto file = NativeFile::open(part, NativeFile::Mode::WriteNew);
        if (!file)
            return describe(file.failure(), QStringLiteral("Creating the journal %1").arg(part));
        auto written = file->lockExclusive();
        if (written)
            written = file->writeAt(0, bytes.constData(), bytes.size());
        if (written)
            written = file->sync();
        if (!written) {
            file->close();
            (void)RemoveFile(part);
            return describe(written.failure(), QStringLiteral("Writing the journal %1").arg(part));
        }
        const auto renamed = ReplaceFileAtomically(part, path);
        if (!renamed) {
            file->close();
            (void)RemoveFile(part);
            return describe(renamed.failure(), QStringLiteral("Naming the journal %1").arg(path));
        }
    }
    const auto synced = SyncFolder(folder.value());
    if (!synced) {
        (void)RemoveFile(path);
        return describe(synced.failure(),
                        QStringLiteral("Saving the journal folder %1 to disk").arg(folder.value()));
    }
    return path;
}

Result<RollbackJournal> ReadJournal(const QString &journalPath)
{
    const auto folder = JournalFolder();
    if (!folder)
        return folder.failure();
    const auto trusted = CheckJournalFolder(folder.value());
    if (!trusted)
        return trusted.failure();
    auto file = NativeFile::open(journalPath, NativeFile::Mode::ReadOwn);
    // What opening a link without following it gives (ELOOP).
    if (!file && file.failure().number == ErrorFilenameTooLong)
        return Failure{JournalNotTrusted,
                       QStringLiteral("The journal %1 is a link; only the user's own journals "
                                      "are applied")
                           .arg(journalPath)};
    if (!file)
        return describe(file.failure(), QStringLiteral("Opening the journal %1").arg(journalPath));
    if (const auto why = WhyNotUsersOwnFile(file.value()))
        return Failure{JournalNotTrusted,
                       QStringLiteral("The journal %1 %2; only the user's own journals, which no "
                                      "other user can write to, are applied")
                           .arg(journalPath, *why)};
    const auto stamp = file->openedStamp();
    if (!stamp)
        return describe(stamp.failure(),
                        QStringLiteral("Examining the journal %1").arg(journalPath));
    if (stamp->size > MaxJournalSize)
        return Failure{JournalDamaged,
                       QStringLiteral("The rollback journal is damaged: it is larger than any "
                                      "journal a save writes")};
    QByteArray bytes(stamp->size, Qt::Uninitialized);
    const auto n = file->readAt(0, bytes.data(), bytes.size());
    if (!n)
        return describe(n.failure(), QStringLiteral("Reading the journal %1").arg(journalPath));
    bytes.truncate(n.value());
    return DecodeJournal(bytes);
}

Result<Done> DeleteJournal(const QString &journalPath)
{
    const auto removed = RemoveFile(journalPath);
    if (!removed)
        return describe(removed.failure(),
                        QStringLiteral("Removing the journal %1").arg(journalPath));
    // Best effort: should the removal itself be lost in a crash, the journal comes back
    // and the next load puts the file back as it was before the save, which is whole too.
    const qsizetype separator = qMax(journalPath.lastIndexOf(u'/'), journalPath.lastIndexOf(u'\\'));
    const QString folder = separator > 0    ? journalPath.left(separator)
                           : separator == 0 ? journalPath.left(1)
                                            : QStringLiteral(".");
    (void)SyncFolder(folder);
    return Done{};
}

QStringList RemoveLeftoverParts()
{
    QStringList removed;
    const auto folder = JournalFolder();
    if (!folder || !CheckJournalFolder(folder.value()))
        return removed;
    const auto contents = PendingJournalPaths();
    if (!contents)
        return removed;
    for (const QString &part : contents->leftoverParts) {
        auto file = NativeFile::open(part, NativeFile::Mode::ReadOwn);
        // A part whose lock is held is being written by a save that is still running.
        if (!file || !file->lockExclusive())
            continue;
        if (RemoveFile(part))
            removed.append(part);
    }
    if (!removed.isEmpty())
        (void)SyncFolder(folder.value());
    return removed;
}

} // namespace quenloft
