#include "runfile/JournalRecovery.h"
#include "runfile/JournalStore.h"
#include "runfile/PatchWriter.h"
#include "runfile/RollbackJournal.h"

#include "fixtures/JournalFolder.h"
#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/SystemCases.h"
#include "fixtures/TestFiles.h"
#include "runfile/RunFileLayout.h"
#include "support/NativePath.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <functional>
#include <memory>

namespace quenloft {
namespace {

using fixtures::NoxFileBuilder;

RollbackJournal sampleJournal()
{
    RollbackJournal journal;
    journal.path = QStringLiteral("/runs/lat") + QChar(0xDCE9) + QStringLiteral("/\u00FCber.kvp");
    journal.file = FileStamp{400, 1700000000123456789LL, 0xFD01, 0x123456789ABCLL};
    journal.ranges = {
        {19, "old", "new", QStringLiteral("run name")},
        {147, QByteArray("\x00\xC8", 2), QByteArray("\x03\xE8", 2), QStringLiteral("weight")},
        {398, "ab", "abcdef", QStringLiteral("notes")}}; // grows the file
    return journal;
}

TEST(RollbackJournalCodec, RoundTripsAndRejectsEveryDamagedOrCutShortJournal)
{
    const RollbackJournal journal = sampleJournal();
    const QByteArray bytes = EncodeJournal(journal);
    const auto decoded = DecodeJournal(bytes);
    ASSERT_TRUE(decoded.ok()) << decoded.failure().description.toStdString();
    EXPECT_EQ(decoded.value(), journal);

    for (qsizetype i = 0; i < bytes.size(); ++i) {
        QByteArray damaged = bytes;
        damaged[i] = char(damaged[i] ^ 0x10);
        ASSERT_FALSE(DecodeJournal(damaged).ok()) << "byte " << i << " changed";
        ASSERT_FALSE(DecodeJournal(bytes.left(i)).ok()) << "cut to " << i << " bytes";
    }
    EXPECT_FALSE(DecodeJournal(bytes + 'x').ok());

    // Well-formed but inconsistent: an original part that is not what lay inside the file.
    RollbackJournal inconsistent = journal;
    inconsistent.ranges[2].original = "a";
    EXPECT_EQ(DecodeJournal(EncodeJournal(inconsistent)).failure().number, JournalDamaged);
    RollbackJournal overlapping = journal;
    overlapping.ranges[1].offset = 20;
    EXPECT_FALSE(DecodeJournal(EncodeJournal(overlapping)).ok());
}

class JournalFileTest : public testing::Test
{
protected:
    QString write(const char *name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(fixtures::writeFile(path, bytes));
        return path;
    }
    static QByteArray contents(const QString &path) { return fixtures::readFile(path); }

    // A save of new weight and run name bytes, stopped after `step` as if the program died.
    static void killedSave(const QString &path, SaveStep step)
    {
        const auto stamp = StampOfPath(path);
        ASSERT_TRUE(stamp.ok());
        const QList<Patch> patches{
            {NoxLayout::RunName.offset, fixtures::textField("Killed", 48),
             QStringLiteral("run name")},
            {NoxLayout::Weight.offset, QByteArray("\x03\xE8", 2), QStringLiteral("weight")}};
        SaveOptions options;
        options.stopAfter = [step](SaveStep at) { return at == step; };
        const auto saved = WritePatchesToFile(path, stamp.value(), patches, options);
        ASSERT_FALSE(saved.ok());
        ASSERT_EQ(saved.failure().number, 995);
    }

    QTemporaryDir m_dir;
    fixtures::TemporaryJournalFolder m_journals;
    const QByteArray m_original = NoxFileBuilder().records(2, 10).notes("Notes").build();
};

TEST_F(JournalFileTest, ASaveKilledAtAnyStepIsUndoneByTheNextLoad)
{
    const struct
    {
        SaveStep step;
        RecoveryOutcome outcome;
    } rows[] = {
        {SaveStep::JournalKept, RecoveryOutcome::AlreadyOriginal},
        {SaveStep::Patched, RecoveryOutcome::Restored},
        {SaveStep::Synced, RecoveryOutcome::Restored},
        {SaveStep::Verified, RecoveryOutcome::Restored},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(int(row.step));
        const QString path = write("killed.kvp", m_original);
        killedSave(path, row.step);
        ASSERT_EQ(m_journals.journals().size(), 1);

        // While the journal is pending no new save may replace it.
        const auto again = WritePatchesToFile(path, StampOfPath(path).value(),
                                              {{0, "x", QStringLiteral("first byte")}});
        ASSERT_FALSE(again.ok());
        EXPECT_TRUE(again.failure().description.contains(QStringLiteral("still pending")));

        const JournalRecovery recovery = RecoverPendingJournal(path);
        EXPECT_EQ(recovery.outcome, row.outcome) << recovery.message.toStdString();
        EXPECT_EQ(contents(path), m_original);
        EXPECT_EQ(m_journals.journals(), QStringList{});
        if (row.outcome == RecoveryOutcome::Restored) {
            EXPECT_TRUE(recovery.message.contains(QStringLiteral("run name and weight")))
                << recovery.message.toStdString();
        }
        EXPECT_EQ(RecoverPendingJournal(path).outcome, RecoveryOutcome::NothingPending);
    }
}

TEST_F(JournalFileTest, AJournalThatDoesNotFitItsFileIsNeverAppliedAndIsKept)
{
    const auto journalOf = [](const QString &path) {
        return JournalPathFor(StampOfPath(path).value()).value();
    };
    std::unique_ptr<fixtures::FileHold> hold;
    const struct
    {
        const char *name;
        // Changes things after the killed save; returns the path to load, or "" to fail.
        std::function<QString(const QString &path, const QString &journal)> change;
        RecoveryOutcome outcome;
    } rows[] = {
        {"the file was replaced by a copy of itself (another file now)",
         [](const QString &path, const QString &) {
             const QString copy = path + QStringLiteral(".new");
             return QFile::copy(path, copy) && QFile::remove(path) && QFile::rename(copy, path)
                        ? path
                        : QString();
         },
         RecoveryOutcome::NothingPending}, // only the file's own journal is looked for
        {"the journal is damaged",
         [](const QString &path, const QString &journal) {
             QByteArray bytes = fixtures::readFile(journal);
             bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
             return fixtures::writeFile(journal, bytes) ? path : QString();
         },
         RecoveryOutcome::Kept},
        {"a byte of a field changed since to a third value",
         [](const QString &path, const QString &) {
             QByteArray now = fixtures::readFile(path);
             now[NoxLayout::Weight.offset] = 'Z';
             return fixtures::writeFile(path, now) ? path : QString();
         },
         RecoveryOutcome::Kept},
        {"run data was appended since",
         [](const QString &path, const QString &) {
             QFile f(path);
             return f.open(QIODevice::Append) && f.write("more") == 4 ? path : QString();
         },
         RecoveryOutcome::Kept},
        {"the journal was renamed to another file's identity",
         [&](const QString &, const QString &journal) {
             const QString other = write("other.kvp", m_original);
             return QFile::rename(journal, journalOf(other)) ? other : QString();
         },
         RecoveryOutcome::Kept},
        {"another program is saving the file",
         [&](const QString &path, const QString &) {
             hold = std::make_unique<fixtures::FileHold>(path, fixtures::FileHold::Kind::Lock);
             return hold->held() ? path : QString();
         },
         RecoveryOutcome::Busy},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        for (const QString &name : m_journals.journals())
            QFile::remove(m_journals.path() + u'/' + name);
        const QString path = write("mismatch.kvp", m_original);
        const QString journal = journalOf(path);
        killedSave(path, SaveStep::Patched);
        const QString loaded = row.change(path, journal);
        ASSERT_FALSE(loaded.isEmpty()) << "the change could not be made";
        const QByteArray before = contents(loaded);
        const QStringList journals = m_journals.journals();

        const JournalRecovery recovery = RecoverPendingJournal(loaded);
        EXPECT_EQ(recovery.outcome, row.outcome) << recovery.message.toStdString();
        EXPECT_EQ(recovery.message.isEmpty(), row.outcome == RecoveryOutcome::NothingPending);
        EXPECT_EQ(contents(loaded), before) << "nothing is applied";
        EXPECT_EQ(m_journals.journals(), journals) << "the journal is kept";
    }
}

// Runs `change` on the journal a killed save of a fresh file left, then loads the file:
// the journal must not be applied and must be kept. Returns the recovery's message.
class UntrustedJournalTest : public JournalFileTest
{
protected:
    QString loadAfter(const std::function<bool(const QString &journal)> &change)
    {
        const QString path = write("planted.kvp", m_large);
        const QString journal = JournalPathFor(StampOfPath(path).value()).value();
        killedSave(path, SaveStep::Patched);
        const QByteArray interrupted = contents(path);
        EXPECT_TRUE(change(journal)) << "the change could not be made";
        const QStringList journals = m_journals.journals();

        const JournalRecovery recovery = RecoverPendingJournal(path);
        EXPECT_EQ(recovery.outcome, RecoveryOutcome::Kept) << recovery.message.toStdString();
        EXPECT_EQ(contents(path), interrupted) << "nothing is applied";
        EXPECT_EQ(m_journals.journals(), journals) << "the journal is kept";
        // Put things back for the next row.
        QFile::setPermissions(m_journals.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QString &name : m_journals.journals())
            QFile::remove(m_journals.path() + u'/' + name);
        return recovery.message;
    }

    // The journal rewritten with `edit` applied and a checksum that matches again.
    static bool edited(const QString &journal, const std::function<void(RollbackJournal &)> &edit)
    {
        auto decoded = DecodeJournal(fixtures::readFile(journal));
        if (!decoded)
            return false;
        edit(decoded.value());
        return fixtures::writeFile(journal, EncodeJournal(decoded.value()));
    }

    const QByteArray m_large = NoxFileBuilder().records(40, 20).notes("Notes").build();
};

TEST_F(UntrustedJournalTest, AJournalThatIsNotTheUsersOwnIsNeverApplied)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Owners and modes are POSIX's; Windows keeps journals in the user's own "
                    "application-data folder, which WindowsSystemTest checks.";
#else
    const QByteArray folder = QFile::encodeName(m_journals.path());
    const struct
    {
        const char *name;
        std::function<bool(const QString &journal)> change;
        const char *phrase;
    } rows[] = {
        {"the folder can be written by others",
         [&](const QString &) { return ::chmod(folder.constData(), 01777) == 0; },
         "can be written by other users (mode 1777)"},
        {"the journal can be written by others",
         [](const QString &journal) {
             return ::chmod(QFile::encodeName(journal).constData(), 0666) == 0;
         },
         "can be written by other users (mode 0666)"},
        {"the journal is a link to one elsewhere",
         [&](const QString &journal) {
             const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere.journal"));
             return QFile::rename(journal, elsewhere) && QFile::link(elsewhere, journal);
         },
         "is a link"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString message = loadAfter(row.change);
        EXPECT_TRUE(message.contains(QString::fromLatin1(row.phrase))) << message.toStdString();
    }

    // Another user's journal, which only the superuser can make here.
    if (::geteuid() == 0) {
        const QString message = loadAfter([](const QString &journal) {
            return ::chown(QFile::encodeName(journal).constData(), 65534, 65534) == 0;
        });
        EXPECT_TRUE(message.contains(QStringLiteral("belongs to another user (user 65534)")))
            << message.toStdString();
    }

    // Nor does a save keep its journal in a folder others can write to: it writes nothing.
    const QString path = write("shared.kvp", m_original);
    ASSERT_EQ(::chmod(folder.constData(), 0777), 0);
    const auto saved = WritePatchesToFile(path, StampOfPath(path).value(),
                                          {{NoxLayout::Weight.offset, "\x01\x02", "weight"}});
    ::chmod(folder.constData(), 0700);
    ASSERT_FALSE(saved.ok());
    EXPECT_TRUE(saved.failure().description.contains(QStringLiteral("nothing was written")));
    EXPECT_EQ(contents(path), m_original);
#endif
}

TEST_F(UntrustedJournalTest, AJournalEditedInAnyOfItsPromisesIsNeverApplied)
{
    const qint64 size = m_large.size();
    const struct
    {
        const char *name;
        std::function<void(RollbackJournal &)> edit;
        const char *phrase;
    } rows[] = {
        {"another file's identity", [](RollbackJournal &j) { j.file.inode += 1; },
         "belongs to another file"},
        {"a file born after the save (a file number used again)",
         [](RollbackJournal &j) { j.file.birthNs += 1; }, "created after that save"},
        {"an original size below any run file's, which would cut the file to it",
         [](RollbackJournal &j) {
             j.file.size = 200;
             j.ranges = {{19, QByteArray(48, 'x'), QByteArray(48, 'y'), QStringLiteral("x")}};
         },
         "smaller than any Nox run file"},
        {"a range in the run data",
         [&](RollbackJournal &j) {
             j.ranges.append({400, "zz", m_large.mid(400, 2), QStringLiteral("run data")});
         },
         "which no save of a Nox file writes"},
        {"a range that grows the file to cut its tail off",
         [&](RollbackJournal &j) {
             j.file.size = size - 100;
             j.ranges.append({size - 100, {}, m_large.right(100), QStringLiteral("notes")});
         },
         "which no save of a Nox file writes"},
        {"the model of the other kind of file",
         [](RollbackJournal &j) { j.model = Model::Solvane; }, "smaller than any Solvane"},
        {"a size the save could not have left", [](RollbackJournal &j) { j.file.size -= 4; },
         "changed since"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString message =
            loadAfter([&](const QString &journal) { return edited(journal, row.edit); });
        EXPECT_TRUE(message.contains(QString::fromLatin1(row.phrase))) << message.toStdString();
    }
}

TEST(JournalFolder, IsAnAbsoluteFolderOrNoneSoNoJournalIsEverRelativeToTheWorkingFolder)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows takes the folder from the user's profile, not from HOME or "
                    "XDG_STATE_HOME.";
#endif
    const struct
    {
        const char *name;
        const char *override_, *state, *home; // nullptr: unset
        const char *folder;                   // nullptr: none
    } rows[] = {
        {"the state folder", nullptr, "/s", "/h", "/s/Quenloft/journals"},
        {"a relative state folder is not one", nullptr, "s", "/h",
         "/h/.local/state/Quenloft/journals"},
        {"no state folder", nullptr, nullptr, "/h", "/h/.local/state/Quenloft/journals"},
        {"neither", nullptr, nullptr, nullptr, nullptr},
        {"a relative home", nullptr, nullptr, "h", nullptr},
        {"the program's own variable", "/j", "/s", "/h", "/j"},
        {"which must be absolute too", "j", "/s", "/h", nullptr},
    };
    const QByteArray names[] = {"QUENLOFT_JOURNAL_DIR", "XDG_STATE_HOME", "HOME"};
    QList<std::optional<QByteArray>> saved;
    for (const QByteArray &name : names)
        saved.append(qEnvironmentVariableIsSet(name.constData())
                         ? std::optional<QByteArray>(qgetenv(name.constData()))
                         : std::nullopt);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const char *values[] = {row.override_, row.state, row.home};
        for (int i = 0; i < 3; ++i) {
            if (values[i])
                qputenv(names[i].constData(), values[i]);
            else
                qunsetenv(names[i].constData());
        }
        const auto folder = JournalFolder();
        EXPECT_EQ(folder.ok(), row.folder != nullptr);
        if (row.folder) {
            EXPECT_EQ(folder.value(), QString::fromLatin1(row.folder));
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (saved[i])
            qputenv(names[i].constData(), *saved[i]);
        else
            qunsetenv(names[i].constData());
    }
}

TEST_F(JournalFileTest, WithoutAJournalFolderNothingIsSaved)
{
    const QString path = write("nowhere.kvp", m_original);
    SetJournalFolder(QString());
    qputenv("QUENLOFT_JOURNAL_DIR", "journals"); // relative: not a place for a journal
    const auto saved = WritePatchesToFile(path, StampOfPath(path).value(),
                                          {{NoxLayout::Weight.offset, "\x01\x02", "weight"}});
    qunsetenv("QUENLOFT_JOURNAL_DIR");
    SetJournalFolder(m_journals.path());
    ASSERT_FALSE(saved.ok());
    EXPECT_TRUE(saved.failure().description.contains(QStringLiteral("nothing was written")))
        << saved.failure().description.toStdString();
    EXPECT_EQ(contents(path), m_original);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("journals")));
}

TEST_F(JournalFileTest, AJournalLeftHalfWrittenIsRemovedUnlessItsSaveIsStillWritingIt)
{
    const QString dead = QDir::toNativeSeparators(
        m_journals.path() + QStringLiteral("/0000000000000001-0000000000000002.journal.part"));
    const QString live = QDir::toNativeSeparators(
        m_journals.path() + QStringLiteral("/0000000000000001-0000000000000003.journal.part"));
    ASSERT_TRUE(fixtures::writeFile(dead, "half"));
    ASSERT_TRUE(fixtures::writeFile(live, "half"));
    QUENLOFT_SKIP_IF_MISSING(fixtures::FileHold::missing(fixtures::FileHold::Kind::Lock));
    fixtures::FileHold writer(live, fixtures::FileHold::Kind::Lock);
    ASSERT_TRUE(writer.held());

    EXPECT_EQ(PendingJournalPaths()->leftoverParts, (QStringList{dead, live}));
    EXPECT_EQ(RemoveLeftoverParts(), QStringList{dead});
    writer.release();
    EXPECT_EQ(m_journals.journals(), QStringList{QFileInfo(live).fileName()});

    // A save clears away what is left.
    const QString path = write("run.kvp", m_original);
    ASSERT_TRUE(WritePatchesToFile(path, StampOfPath(path).value(),
                                   {{NoxLayout::Weight.offset, "\x01\x02", "weight"}})
                    .ok());
    EXPECT_EQ(m_journals.journals(), QStringList{});
}

TEST_F(JournalFileTest, TheJournalIsKeptInTheJournalFolderNotBesideTheRunFile)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("read-only"));
    const QString folder = m_dir.filePath(QStringLiteral("read-only"));
    const QString path = write("read-only/run.kvp", m_original);
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    killedSave(path, SaveStep::Synced);
    EXPECT_EQ(m_journals.journals().size(), 1);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("run.kvp")});
    EXPECT_EQ(RecoverPendingJournal(path).outcome, RecoveryOutcome::Restored);
    EXPECT_EQ(contents(path), m_original);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
} // namespace quenloft
