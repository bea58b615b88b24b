// Runs quenloft-cli's commands in-process against files made by the fixture builder.
#include "Cli.h"
#include "CliRun.h"
#include "fixtures/JournalFolder.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/Samples.h"
#include "fixtures/SystemCases.h"
#include "fixtures/TestFiles.h"
#include "runfile/RunFileLayout.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quenloft;
using namespace quenloft::fixtures;

namespace {

class CliTest : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes)) << path.toStdString();
        return path;
    }
    static QByteArray read(const QString &path) { return readFile(path); }
    static QJsonObject json(const QString &path, bool metric = false)
    {
        QStringList args{QStringLiteral("show"), QStringLiteral("--json"), path};
        if (metric)
            args.insert(1, QStringLiteral("--metric"));
        const CliRun run = runCli(args);
        EXPECT_EQ(run.code, cli::Success) << run.err.toStdString();
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

    QTemporaryDir m_dir;
    TemporaryJournalFolder m_journals;
};

TEST_F(CliTest, ShowJsonOfNoxFileHasEveryKey)
{
    const QString path =
        write(QStringLiteral("a.kvp"), NoxFileBuilder()
                                           .version("2.0")
                                           .runName("Pass")
                                           .records(3, 10)
                                           .separator(1, QByteArray("\x01\x00\x00", 3))
                                           .notes("A\rB")
                                           .build());
    const QJsonObject j = json(path);
    EXPECT_EQ(j["model"].toString(), "Nox");
    EXPECT_EQ(j["version"].toString(), "VEXA Version 2.0");
    EXPECT_EQ(j["run_name"].toString(), "Pass");
    EXPECT_EQ(j["pitch_factor"].toString(), "1.2");
    EXPECT_EQ(j["records"].toInt(), 3);
    EXPECT_EQ(j["records_label"].toString(), "3 record(s) read.");
    EXPECT_EQ(j["damaged"].toArray(), QJsonArray{311 + 14 + 1 + 10 + 1});
    EXPECT_EQ(j["notes"].toString(), "A\r\nB");
    EXPECT_EQ(j["notes_position"].toInt(), 311 + 3 * 14 + 1);
}

TEST_F(CliTest, ShowJsonOfSolvaneFileFollowsUnits)
{
    const QString path =
        write(QStringLiteral("b.kvs"), SolvaneFileBuilder().weight(1000).frontalArea(150).build());
    EXPECT_EQ(json(path)["weight"].toString(), "2200 lbs");
    EXPECT_EQ(json(path)["frontal_area"].toString(), "16.14 ft^2");
    EXPECT_EQ(json(path, true)["weight"].toString(), "1000 kgs");
    EXPECT_EQ(json(path, true)["frontal_area"].toString(), "1.5 m^2");
    EXPECT_EQ(json(path)["run_date"].toString(), "3/7/2005 2:05:09 PM");
    EXPECT_FALSE(json(path).contains("records"));
}

TEST_F(CliTest, RecordsLabelIsNullWithoutRunData)
{
    const QString path = write(QStringLiteral("c.kvp"), NoxFileBuilder().build());
    EXPECT_TRUE(json(path)["records_label"].isNull());
}

TEST_F(CliTest, ShowPlainPrintsOneLinePerShownField)
{
    const QString path =
        write(QStringLiteral("d.kvp"), NoxFileBuilder().version("1.5").vehicleName("Golf").build());
    const CliRun run = runCli({QStringLiteral("show"), path});
    ASSERT_EQ(run.code, cli::Success);
    EXPECT_TRUE(run.out.contains("Vehicle Name: Golf\n"));
    EXPECT_FALSE(run.out.contains("Pitch Factor")) << "hidden for versions before 2.0";
}

TEST_F(CliTest, LoadFailureGoesToStderrWithExitOne)
{
    const QString path = write(QStringLiteral("short.kvp"), QByteArray(100, 'x'));
    const CliRun run = runCli({QStringLiteral("show"), path});
    EXPECT_EQ(run.code, cli::Failed);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("Error (62) - ")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("loading file [short.kvp]!\nFile may be in use by VEXA"));
}

TEST_F(CliTest, SetSavesLikeTheWindowAndKeepsOtherBytes)
{
    const QByteArray before =
        NoxFileBuilder().version("2.0").records(2, 8).notes("old notes").build();
    const QString path = write(QStringLiteral("e.kvp"), before);
    const CliRun run =
        runCli({QStringLiteral("set"), path, QStringLiteral("weight=200"),
                QStringLiteral("rollout_length=2.25"), QStringLiteral("notes=A\nB")});
    ASSERT_EQ(run.code, cli::Success) << run.err.toStdString();
    const QByteArray after = read(path);
    EXPECT_EQ(after.mid(NoxLayout::Weight.offset, 2), QByteArray("\x00\xC8", 2));
    EXPECT_EQ(quint8(after.at(NoxLayout::RolloutLength.offset)), 23) << "2.25 shows as 2.3";
    const qsizetype notes = 311 + 2 * 12;
    EXPECT_EQ(after.mid(notes, 5), QByteArray("\x03"
                                              "A\rB\0",
                                              5));
    // Everything but the written fields is untouched, old notes bytes after the new NUL too.
    for (qsizetype i = 0; i < before.size(); ++i) {
        const bool written = (i >= 19 && i < 19 + 48) || i == 76 || (i >= 131 && i < 155) ||
                             (i >= notes && i < notes + 5);
        if (!written) {
            ASSERT_EQ(before.at(i), after.at(i)) << "offset " << i;
        }
    }
}

TEST_F(CliTest, SetRejectsOutOfRangeAndWritesNothing)
{
    const QString path = write(QStringLiteral("f.kvs"), SolvaneFileBuilder().build());
    const QByteArray before = read(path);
    const struct
    {
        const char *assignment;
        const char *message;
    } cases[] = {
        {"coeff_of_drag=.995", "(0.01-0.99)."},
        {"driveline_loss=.5", "(1-99)."},
        {"weight=144178", "(1-144177)."},
        {"frontal_area=7052", "(0.001-7051)."},
        {"driveline_loss=123", "at most 2 characters"},
    };
    for (const auto &c : cases) {
        const CliRun run = runCli({QStringLiteral("set"), path, QStringLiteral("weight=3000"),
                                   QString::fromLatin1(c.assignment)});
        EXPECT_EQ(run.code, cli::Rejected) << c.assignment;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
        EXPECT_EQ(read(path), before) << c.assignment;
    }
}

TEST_F(CliTest, SetRefusesFieldsTheFileDoesNotShow)
{
    const QString nox15 = write(QStringLiteral("g.kvp"), NoxFileBuilder().version("1.5").build());
    const QString solvane = write(QStringLiteral("h.kvs"), SolvaneFileBuilder().build());
    const QStringList cases[] = {
        {nox15, QStringLiteral("pitch_factor=1.0")}, {nox15, QStringLiteral("frontal_area=1")},
        {solvane, QStringLiteral("notes=x")},        {solvane, QStringLiteral("run_date=x")},
        {solvane, QStringLiteral("nonsense=1")},     {solvane, QStringLiteral("weight")},
    };
    for (const QStringList &c : cases) {
        const CliRun run = runCli(QStringList{QStringLiteral("set")} + c);
        EXPECT_EQ(run.code, cli::BadUsage) << c.join(' ').toStdString();
    }
}

TEST_F(CliTest, SetReportsWhatTheWriterRefuses)
{
    const QString noBlock = write(QStringLiteral("i.kvp"), NoxFileBuilder().records(2, 5).build());
    CliRun run = runCli({QStringLiteral("set"), noBlock, QStringLiteral("notes=hello")});
    EXPECT_EQ(run.code, cli::Failed);
    EXPECT_TRUE(run.err.contains("no notes block"));

    const QString withBlock =
        write(QStringLiteral("j.kvp"), NoxFileBuilder().records(2, 5).notes("x").build());
    run = runCli({QStringLiteral("set"), withBlock, QStringLiteral("notes=12345")});
    EXPECT_EQ(run.code, cli::Failed) << "five bytes would read back as a record";
    run = runCli({QStringLiteral("set"), withBlock, QStringLiteral("run_name=\u4E2D")});
    EXPECT_EQ(run.code, cli::Failed);
    EXPECT_TRUE(run.err.contains("U+4E2D"));

    run =
        runCli({QStringLiteral("set"), m_dir.filePath("missing.kvp"), QStringLiteral("weight=5")});
    EXPECT_EQ(run.code, cli::Failed);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("missing.kvp")));
}

TEST_F(CliTest, SetRefusesALockedFile)
{
    const QString path = write(QStringLiteral("k.kvs"), SolvaneFileBuilder().build());
    const QByteArray before = read(path);
    FileHold hold(path, FileHold::Kind::Lock);
    ASSERT_TRUE(hold.held());
    const CliRun run = runCli({QStringLiteral("set"), path, QStringLiteral("weight=3000")});
    hold.release();
    EXPECT_EQ(run.code, cli::Failed);
    EXPECT_TRUE(run.err.contains("locked")) << run.err.toStdString();
    EXPECT_EQ(read(path), before);
}

TEST_F(CliTest, CheckWalksFoldersAndFailsOnDamage)
{
    QDir(m_dir.path()).mkpath("deep/er");
    write(QStringLiteral("deep/er/ok.KVP"), NoxFileBuilder().records(4, 6).build());
    write(QStringLiteral("deep/s.kvs"), SolvaneFileBuilder().build());
    write(QStringLiteral("deep/readme.txt"), "not a run file");
    CliRun run = runCli({QStringLiteral("check"), m_dir.path()});
    EXPECT_EQ(run.code, cli::Success) << run.out.toStdString();
    EXPECT_EQ(run.out.count('\n'), 2);
    EXPECT_TRUE(run.out.contains("ok.KVP: Nox, 4 records, no damage"));

    write(QStringLiteral("bad.kvp"),
          NoxFileBuilder().records(4, 6).separator(2, QByteArray("\0\0\x07", 3)).build());
    run = runCli({QStringLiteral("check"), m_dir.path()});
    EXPECT_EQ(run.code, cli::Failed);
    EXPECT_TRUE(run.out.contains("bad.kvp: Nox, 4 records, 1 damaged at"));

    run = runCli({QStringLiteral("check"), m_dir.filePath("nowhere")});
    EXPECT_EQ(run.code, cli::Failed);
}

TEST_F(CliTest, BadUsagePrintsItsReasonAndWhereHelpIsNotTheHelp)
{
    const QString solvane = write(QStringLiteral("s.kvs"), SolvaneFileBuilder().build());
    const struct
    {
        QStringList arguments;
        QString reason;
    } cases[] = {
        {{}, "quenloft-cli takes a command: show, set, check, export, diff or recover."},
        {{"frobnicate"}, "Unknown command: frobnicate"},
        {{"show"}, "show takes exactly one FILE."},
        {{"show", "--bogus", "x.kvp"}, "Unknown option 'bogus'."},
        {{"set", "x.kvp"}, "set takes a FILE and at least one FIELD=VALUE."},
        {{"check"}, "check takes at least one PATH."},
        {{"set", solvane, "--", "redline=7000"},
         solvane + ": redline is not a field of a Solvane file that can be changed.\n"
                   "Nothing was written."},
    };
    for (const auto &c : cases) {
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.code, cli::BadUsage) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, c.reason + "\nTry 'quenloft-cli --help'.\n");
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST_F(CliTest, SetThatChangesNothingSaysSoAndWritesNothing)
{
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    const struct
    {
        const char *name;
        QByteArray bytes;
        QStringList assignments;
    } cases[] = {
        {"same.kvp",
         NoxFileBuilder().weight(2650).runName("Pass").build(),
         {"weight=2650", "run_name=Pass"}},
        // Typed otherwise, stored the same: 1234 kg shows as 2714.8 lbs.
        {"same.kvs", SolvaneFileBuilder().weight(1234).build(), {"weight=2714.8"}},
    };
    for (const auto &c : cases) {
        const QString path = write(QString::fromLatin1(c.name), c.bytes);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            ASSERT_TRUE(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }
        const CliRun run = runCli(QStringList{QStringLiteral("set"), path} + c.assignments);
        EXPECT_EQ(run.code, cli::Success) << run.err.toStdString();
        EXPECT_EQ(run.out, "Unchanged " + path + '\n');
        EXPECT_EQ(read(path), c.bytes);
        EXPECT_EQ(QFileInfo(path).lastModified(), longAgo) << c.name;
    }
}

TEST_F(CliTest, AFolderWhereARunFileIsWantedIsCalledAFolder)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("runs")));
    const QString folder = m_dir.filePath(QStringLiteral("runs"));
    const QString file = write(QStringLiteral("runs/a.kvp"), NoxFileBuilder().build());
    const struct
    {
        QStringList arguments;
        int code;
    } cases[] = {
        {{"show", folder}, cli::Failed},
        {{"set", folder, "weight=2000"}, cli::Failed},
        {{"set", "--dry-run", folder, "weight=2000"}, cli::Failed},
        {{"diff", file, folder}, cli::BadUsage}, // diff's code for a file that did not load
    };
    for (const auto &c : cases) {
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.code, c.code) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, folder + " is a folder, not a run file.\n");
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_EQ(read(file), NoxFileBuilder().build());
}

TEST(Samples, BundledFilesMatchTheirRecipes)
{
    const QDir samples(QStringLiteral(QUENLOFT_SOURCE_DIR "/samples"));
    const auto recipes = bundledSamples();
    EXPECT_EQ(samples.entryList(QDir::Files).size(), recipes.size());
    for (const SampleFile &sample : recipes) {
        QFile file(samples.filePath(sample.name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << sample.name.toStdString();
        EXPECT_EQ(file.readAll(), sample.bytes)
            << sample.name.toStdString() << " differs; regenerate with make_samples";
    }
}

} // namespace
