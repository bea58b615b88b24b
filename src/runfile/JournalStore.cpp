#include "runfile/JournalStore.h"

#include "support/NativeFolder.h"
#include "support/NativePath.h"

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

QString hex16(quint64 value)
{
    return QStringLiteral("%1").arg(value, 16, 16, QChar(u'0'));
}

} // namespace

QString JournalFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString fromEnvironment = pathFromEnvironment("QUENLOFT_JOURNAL_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return JoinPath(JoinPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                             QStringLiteral("Quenloft")),
                    QStringLiteral("journals"));
#else
    QString state = pathFromEnvironment("XDG_STATE_HOME");
    if (!state.startsWith(u'/'))
        state = JoinPath(JoinPath(pathFromEnvironment("HOME"), QStringLiteral(".local")),
                         QStringLiteral("state"));
    return JoinPath(JoinPath(state, QStringLiteral("Quenloft")), QStringLiteral("journals"));
#endif
}

void SetJournalFolder(const QString &folder)
{
    folderOverride() = folder;
}

QString JournalPathFor(const FileStamp &identity)
{
    return JoinPath(JournalFolder(),
                    hex16(identity.device) + u'-' + hex16(identity.inode) + kSuffix);
}

std::optional<FileStamp> IdentityOfJournalName(const QString &name)
{
    if (name.size() != 16 + 1 + 16 + kSuffix.size() || !name.endsWith(kSuffix) ||
        name.at(16) != u'-')
        return std::nullopt;
    bool deviceOk = false;
    bool inodeOk = false;
    FileStamp identity;
    identity.device = name.left(16).toULongLong(&deviceOk, 16);
    identity.inode = name.mid(17, 16).toULongLong(&inodeOk, 16);
    if (!deviceOk || !inodeOk)
        return std::nullopt;
    return identity;
}

Result<QStringList> PendingJournalPaths()
{
    const QString folder = JournalFolder();
    const auto kind = KindOfPath(folder);
    if (!kind)
        return describe(kind.failure(),
                        QStringLiteral("Examining the journal folder %1").arg(folder));
    if (kind.value() == EntryKind::Missing)
        return QStringList();
    const auto entries = ListFolder(folder);
    if (!entries)
        return describe(entries.failure(),
                        QStringLiteral("Reading the journal folder %1").arg(folder));
    QStringList paths;
    for (const FolderEntry &entry : entries.value())
        if (entry.kind == EntryKind::File && entry.name.endsWith(kSuffix))
            paths.append(JoinPath(folder, entry.name));
    std::sort(paths.begin(), paths.end());
    return paths;
}

Result<QString> StoreJournal(const RollbackJournal &journal)
{
    const QString folder = JournalFolder();
    const QString path = JournalPathFor(journal.file);
    const auto made = MakeFolderPath(folder);
    if (!made)
        return describe(made.failure(),
                        QStringLiteral("Creating the journal folder %1").arg(folder));
    const auto existing = KindOfPath(path);
    if (!existing)
        return describe(existing.failure(), QStringLiteral("Examining the journal %1").arg(path));
    if (existing.value() != EntryKind::Missing)
        return Failure{80, QStringLiteral("A rollback journal of an earlier save of this file is "
                                          "still pending (%1); load the file again to have its "
                                          "original bytes put back, or remove the journal with "
                                          "\"quenloft-cli recover --discard\" if it cannot be "
                                          "applied")
                               .arg(path)};

    // Written under another name and renamed when complete, so a journal under its own
    // name is always whole.
    const QString part = path + kPartSuffix;
    const QByteArray bytes = EncodeJournal(journal);
    {
        auto file = NativeFile::open(part, NativeFile::Mode::WriteNew);
        if (!file)
            return describe(file.failure(), QStringLiteral("Creating the journal %1").arg(part));
        auto written = file->writeAt(0, bytes.constData(), bytes.size());
        if (written)
            written = file->sync();
        if (!written) {
            file->close();
            (void)RemoveFile(part);
            return describe(written.failure(), QStringLiteral("Writing the journal %1").arg(part));
        }
    }
    const auto renamed = ReplaceFileAtomically(part, path);
    if (!renamed) {
        (void)RemoveFile(part);
        return describe(renamed.failure(), QStringLiteral("Naming the journal %1").arg(path));
    }
    const auto synced = SyncFolder(folder);
    if (!synced) {
        (void)RemoveFile(path);
        return describe(synced.failure(),
                        QStringLiteral("Saving the journal folder %1 to disk").arg(folder));
    }
    return path;
}

Result<RollbackJournal> ReadJournal(const QString &journalPath)
{
    auto file = NativeFile::open(journalPath, NativeFile::Mode::Read);
    if (!file)
        return describe(file.failure(), QStringLiteral("Opening the journal %1").arg(journalPath));
    const auto stamp = file->stamp();
    if (!stamp)
        return describe(stamp.failure(),
                        QStringLiteral("Examining the journal %1").arg(journalPath));
    // A journal far larger than any save could write is not one.
    const qint64 limit = MaxJournalRanges * (2 * MaxJournalRangeLength + 1024) + (1 << 20);
    if (stamp->size > limit)
        return Failure{JournalDamaged,
                       QStringLiteral("The rollback journal is damaged: it is far too large")};
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

} // namespace quenloft
