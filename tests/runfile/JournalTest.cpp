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
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
        return JournalPathFor(StampOfPath(path).value());
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
         RecoveryOutcome::Kept},
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
        EXPECT_FALSE(recovery.message.isEmpty());
        EXPECT_EQ(contents(loaded), before) << "nothing is applied";
        EXPECT_EQ(m_journals.journals(), journals) << "the journal is kept";
    }
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
