// The commands over many files: export read back by a real CSV reader, check --json,
// batch set (all or nothing until the writing starts, then each file on its own) and diff.
#include "CliRun.h"
#include "fixtures/JournalFolder.h"
#include "fixtures/RawNameFolder.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/SystemCases.h"
#include "fixtures/TestFiles.h"
#include "runfile/PatchWriter.h"
#include "runfile/RunFileLayout.h"
#include "support/NativePath.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quenloft {
namespace {

using namespace fixtures;

const QByteArray kNotes = "Lane 2, \"wet\"\rcold, 12C";
const QString kShownNotes = QStringLiteral("Lane 2, \"wet\"\r\ncold, 12C");

class CliBatchTest : public testing::Test
{
protected:
    QString write(const QByteArray &name, const QByteArray &bytes)
    {
        return m_dir.write(name, bytes);
    }
    static QByteArray read(const QString &path)
    {
        return readFile(QFile::decodeName(*NativeBytesOfPath(path)));
    }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Three files as a racer's folder holds them, and one that does not load.
    void writeFolder()
    {
        write("a.kvp", NoxFileBuilder()
                           .version("2.0")
                           .runName("Pass \"A\", 1")
                           .weight(2650)
                           .records(3, 8)
                           .separator(1, QByteArray("\0\1\0", 3))
                           .notes(kNotes)
                           .build());
        write("b.kvs", SolvaneFileBuilder().weight(1234).frontalArea(123).build());
        write("lat\xe9.kvp", NoxFileBuilder().version("1.5").weight(3000).build());
        write("short.kvp", QByteArray(100, 'x'));
    }

    RawNameFolder m_dir;
    TemporaryJournalFolder m_journals;
};

// Python's csv module: the rows of a CSV file as a JSON array of arrays of strings.
QJsonArray readCsvWithPython(const QString &csvPath)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    EXPECT_FALSE(python.isEmpty()) << "python3 is needed (Debian package python3)";
    QProcess process;
    process.start(python,
                  {QStringLiteral("-c"),
                   QStringLiteral("import csv, json, sys\n"
                                  "with open(sys.argv[1], newline='', encoding='utf-8', "
                                  "errors='strict') as f:\n"
                                  "    print(json.dumps(list(csv.reader(f, strict=True))))"),
                   csvPath});
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(process.readAllStandardOutput()).array();
}

TEST_F(CliBatchTest, ExportCsvReadsBackWithARealCsvReader)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the CSV reader used is Debian's python3, which a Windows program cannot start";
#endif
    writeFolder();
    const QString csv = m_dir.filePath(QStringLiteral("out.csv"));
    const CliRun run = runCli({QStringLiteral("export"), QStringLiteral("--output"), csv,
                               QStringLiteral("--metric"), m_dir.path(), path("gone.kvp")});
    EXPECT_EQ(run.code, cli::Failed) << "short.kvp does not load, gone.kvp is not there";
    EXPECT_TRUE(run.out.isEmpty());
    // Each file that failed is named on standard error with its reason, not only in a row.
    const QStringList errors = run.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), 2) << run.err.toStdString();
    EXPECT_TRUE(errors.at(0).startsWith(path("short.kvp") + ": Error (62) - "))
        << errors.at(0).toStdString();
    EXPECT_EQ(errors.at(1), path("gone.kvp") + ": no such file or folder");

    const QJsonArray rows = readCsvWithPython(csv);
    ASSERT_EQ(rows.size(), 6) << "a header and a row per run file";
    QStringList header;
    for (const QJsonValue &name : rows.at(0).toArray())
        header.append(name.toString());
    const auto cell = [&](int row, const char *column) {
        const qsizetype at = header.indexOf(QString::fromLatin1(column));
        EXPECT_GE(at, 0) << column;
        return rows.at(row).toArray().at(at).toString();
    };
    for (const QJsonValue &row : rows)
        EXPECT_EQ(row.toArray().size(), header.size());

    // Sorted by path, the name that is not valid UTF-8 with its byte escaped.
    const QString folder = m_dir.path() + u'/';
    const struct
    {
        int row;
        const char *column;
        QString value;
    } cells[] = {
        {1, "path", folder + QStringLiteral("a.kvp")},
        {1, "run_name", QStringLiteral("Pass \"A\", 1")},
        {1, "notes", kShownNotes},
        {1, "weight", QStringLiteral("2650")},
        {1, "stored_weight", QStringLiteral("2650")},
        {1, "stored_pitch_factor", QStringLiteral("12")},
        {1, "records", QStringLiteral("3")},
        {1, "damaged_count", QStringLiteral("1")},
        {1, "error", QString()},
        {2, "path", folder + QStringLiteral("b.kvs")},
        {2, "run_date", QStringLiteral("3/7/2005 2:05:09 PM")},
        {2, "run_name", QString()},
        {2, "weight", QStringLiteral("1234 kgs")},
        {2, "stored_weight", QStringLiteral("1234")},
        {2, "frontal_area", QStringLiteral("1.23 m^2")},
        {2, "stored_frontal_area", QStringLiteral("123")},
        {2, "records", QString()},
        {3, "path", folder + QStringLiteral("lat\\xe9.kvp")},
        {3, "pitch_factor", QStringLiteral("n/a")},
        {3, "stored_pitch_factor", QString()},
        {4, "path", folder + QStringLiteral("short.kvp")},
        {4, "model", QStringLiteral("Nox")},
        {4, "weight", QString()},
        {5, "path", folder + QStringLiteral("gone.kvp")},
        {5, "error", QStringLiteral("no such file or folder")},
    };
    for (const auto &c : cells)
        EXPECT_EQ(cell(c.row, c.column), c.value) << c.row << " " << c.column;
    EXPECT_TRUE(cell(4, "error").startsWith(QStringLiteral("Error (62) - "))) << "still a row";
}

TEST_F(CliBatchTest, ExportJsonRowsAreShowJsonWithPathAndError)
{
    writeFolder();
    const CliRun run = runCli({QStringLiteral("export"), QStringLiteral("--json"), m_dir.path()});
    EXPECT_EQ(run.code, cli::Failed);
    const QJsonArray rows = QJsonDocument::fromJson(run.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 4);
    for (const QJsonValue &value : rows) {
        QJsonObject row = value.toObject();
        const QString path = row.take(QStringLiteral("path")).toString();
        const QJsonValue error = row.take(QStringLiteral("error"));
        if (path.endsWith(QStringLiteral("short.kvp"))) {
            EXPECT_TRUE(error.toString().contains(QStringLiteral("short.kvp")));
            continue;
        }
        EXPECT_TRUE(error.isNull());
        // The program's own path for the file, not the escaped text.
        const QString file = path.endsWith(QStringLiteral("lat\\xe9.kvp"))
                                 ? PathFromNativeBytes(m_dir.nativePath() + "/lat\xe9.kvp")
                                 : path;
        const CliRun show = runCli({QStringLiteral("show"), QStringLiteral("--json"), file});
        EXPECT_EQ(row, QJsonDocument::fromJson(show.out.toUtf8()).object()) << path.toStdString();
    }
}

TEST_F(CliBatchTest, CheckJsonHasOneObjectPerFileAndFolder)
{
    writeFolder();
    const CliRun run =
        runCli({QStringLiteral("check"), QStringLiteral("--json"), m_dir.path(), path("nowhere")});
    EXPECT_EQ(run.code, cli::Failed);
    const QJsonArray rows = QJsonDocument::fromJson(run.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 5);
    const auto keys = [](const QJsonObject &o) { return o.keys(); };
    for (const QJsonValue &row : rows)
        EXPECT_EQ(keys(row.toObject()),
                  QStringList({"damaged", "damaged_count", "error", "model", "path", "records"}));
    const QJsonObject a = rows.at(0).toObject();
    EXPECT_EQ(a["records"].toInt(), 3);
    EXPECT_EQ(a["damaged_count"].toInt(), 1);
    EXPECT_EQ(a["damaged"].toArray().size(), 1);
    EXPECT_TRUE(a["error"].isNull());
    EXPECT_TRUE(rows.at(1).toObject()["records"].isNull()) << "Solvane files have no run data";
    EXPECT_TRUE(rows.at(3).toObject()["error"].toString().startsWith("Error (62)"));
    EXPECT_EQ(rows.at(4).toObject()["error"].toString(), "no such file or folder");
}

// Every file of a batch before and after; which of them the batch wrote.
struct BatchCase
{
    const char *name;
    QStringList arguments; // after "set"; DIR is the folder, OTHER one with a short file
    int code;
    QStringList written; // files whose bytes changed
    const char *output;  // a text stdout or stderr holds
};

TEST_F(CliBatchTest, BatchSetIsAllOrNothingUntilItWritesThenEachFileOnItsOwn)
{
    QTemporaryDir other;
    ASSERT_TRUE(writeFile(other.filePath(QStringLiteral("short.kvp")), QByteArray(100, 'x')));
    const BatchCase cases[] = {
        {"every file",
         {"DIR", "--", "weight=2710"},
         cli::Success,
         {"n2.kvp", "n15.kvp", "s.kvs"},
         "Saved "},
        {"one model does not have the field",
         {"DIR", "--", "redline=7000"},
         cli::BadUsage,
         {},
         "s.kvs: redline is not a field of a Solvane file"},
        {"one version does not show it",
         {"DIR/n2.kvp", "DIR/n15.kvp", "--", "pitch_factor=1.0"},
         cli::BadUsage,
         {},
         "n15.kvp: This file does not show its pitch_factor."},
        {"one value out of range", {"DIR", "--", "weight=70000"}, cli::Rejected, {}, "(1-65535)."},
        {"one file cannot hold it",
         {"DIR", "--", "weight=1"},
         cli::Rejected,
         {},
         "s.kvs: The weight 1 lbs is too small to be stored"},
        {"one path not there",
         {"DIR", "DIR/gone.kvp", "--", "weight=2710"},
         cli::Failed,
         {},
         "gone.kvp: no such file or folder"},
        {"one file does not load",
         {"DIR", "OTHER", "--", "weight=2710"},
         cli::Failed,
         {},
         "short.kvp: Error (62) - "},
        {"one file locked",
         {"DIR", "--", "weight=2710"},
         cli::Failed,
         {"n2.kvp", "s.kvs"},
         "1 of 3 files not saved: "},
        {"dry run",
         {"--dry-run", "DIR", "--", "weight=2710", "vehicle_name=Civic"},
         cli::BadUsage,
         {},
         "s.kvs: vehicle_name is not a field of a Solvane file"},
        {"dry run",
         {"--dry-run", "DIR/n2.kvp", "DIR/n15.kvp", "--", "weight=2710", "redline=6200"},
         cli::Success,
         {},
         "n15.kvp:\n  weight: 3000 \u2192 2710\n"},
        {"one-file form dry run",
         {"--dry-run", "DIR/n2.kvp", "weight=2650", "redline=6200"},
         cli::Success,
         {},
         "n2.kvp:\n  redline: 7000 \u2192 6200\n"},
    };
    for (const BatchCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QMap<QString, QByteArray> before{
            {"n2.kvp", NoxFileBuilder().version("2.0").weight(2650).redline(7000).build()},
            {"n15.kvp", NoxFileBuilder().version("1.5").weight(3000).build()},
            {"s.kvs", SolvaneFileBuilder().weight(1500).build()},
        };
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            write(it.key().toLatin1(), it.value());
        const bool lock = QByteArray(c.name) == "one file locked";
        std::optional<FileHold> hold;
        if (lock) {
            hold.emplace(path("n15.kvp"), FileHold::Kind::Lock);
            ASSERT_TRUE(hold->held());
        }

        QStringList arguments{QStringLiteral("set")};
        for (QString a : c.arguments)
            arguments.append(a.replace(QStringLiteral("DIR"), m_dir.path())
                                 .replace(QStringLiteral("OTHER"), other.path()));
        const CliRun run = runCli(arguments);
        hold.reset();

        EXPECT_EQ(run.code, c.code) << run.err.toStdString();
        EXPECT_TRUE((run.out + run.err).contains(QString::fromUtf8(c.output)))
            << run.out.toStdString() << run.err.toStdString();
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            EXPECT_EQ(read(m_dir.filePath(it.key())) != it.value(), c.written.contains(it.key()))
                << it.key().toStdString();
        EXPECT_TRUE(m_journals.journals().isEmpty());
    }
}

TEST_F(CliBatchTest, AWalkListsTheLinksInItsFoldersAndFollowsNone)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "The links are made with POSIX calls.";
#else
    const QByteArray root = m_dir.nativePath() + '/';
    for (const char *folder : {"runs", "elsewhere"})
        ASSERT_EQ(::mkdir((root + folder).constData(), 0755), 0);
    const QByteArray own = NoxFileBuilder().weight(2650).build();
    const QByteArray far = NoxFileBuilder().weight(3000).build();
    write("runs/own.kvp", own);
    write("elsewhere/far.kvp", far);
    const struct
    {
        const char *name;
        const char *target;
    } links[] = {
        {"runs/far.kvp", "../elsewhere/far.kvp"},
        {"runs/dead.kvp", "gone.kvp"},
        {"runs/loop.kvp", "loop.kvp"},
        {"runs/more", "../elsewhere"},
        {"runs/dead.txt", "gone.txt"},
        {"runs/far.txt", "../elsewhere/far.kvp"},
    };
    for (const auto &link : links)
        ASSERT_EQ(::symlink(link.target, (root + link.name).constData()), 0) << link.name;

    const QString runs = path("runs");
    const QString skipped =
        runs + QStringLiteral(
                   "/dead.kvp: skipped: a dangling symbolic link: what it leads to is not there\n"
                   "%1"
                   "/far.kvp: skipped: a symbolic link, not followed inside a folder\n"
                   "%1"
                   "/loop.kvp: skipped: a symbolic link that leads in a circle\n"
                   "%1"
                   "/more: skipped: a symbolic link to a folder, not followed inside a folder\n")
                   .arg(runs);
    const struct
    {
        QStringList arguments;
        bool listedOnStdout; // else on standard error
    } commands[] = {
        {{"check", runs}, true},
        {{"check", "--json", runs}, false},
        {{"export", runs}, false},
        {{"set", "--dry-run", runs, "--", "weight=2710"}, false},
        {{"set", runs, "--", "weight=2710"}, false},
    };
    for (const auto &command : commands) {
        SCOPED_TRACE(command.arguments.join(u' ').toStdString());
        const CliRun run = runCli(command.arguments);
        EXPECT_EQ(run.code, cli::Success) << "a skipped link is no failure";
        const QString &listed = command.listedOnStdout ? run.out : run.err;
        EXPECT_TRUE(listed.contains(skipped)) << listed.toStdString();
        EXPECT_EQ(
            run.out.count(QStringLiteral("skipped")) + run.err.count(QStringLiteral("skipped")), 4)
            << "names a walk would not have taken are not listed";
        EXPECT_EQ(read(path("elsewhere/far.kvp")), far);
    }
    EXPECT_EQ(read(path("runs/own.kvp")), NoxFileBuilder().weight(2710).build());

    // A link named on the command line is followed.
    const CliRun named = runCli({QStringLiteral("set"), path("runs/far.kvp"), QStringLiteral("--"),
                                 QStringLiteral("weight=2720")});
    EXPECT_EQ(named.code, cli::Success) << named.err.toStdString();
    EXPECT_EQ(read(path("elsewhere/far.kvp")), NoxFileBuilder().weight(2720).build());
#endif
}

TEST_F(CliBatchTest, DiffPrintsOneLinePerDifferingField)
{
    const QByteArray nox = NoxFileBuilder().version("2.0").weight(2650).records(2, 6).build();
    const QString a = write("a.kvp", nox);
    const QString same = write("same.kvp", nox);
    const QString heavier = write("heavier.kvp", nox);
    ASSERT_EQ(runCli({QStringLiteral("set"), heavier, QStringLiteral("weight=2710")}).code,
              cli::Success);
    const QString damaged = write("damaged.kvp", NoxFileBuilder()
                                                     .version("2.0")
                                                     .weight(2650)
                                                     .records(2, 6)
                                                     .separator(1, QByteArray("\0\0\1", 3))
                                                     .build());
    const QString solvane = write("s.kvs", SolvaneFileBuilder().build());
    write("short.kvp", QByteArray(100, 'x'));

    const struct
    {
        QStringList arguments;
        int code;
        QString out;
    } cases[] = {
        {{a, a}, cli::Success, {}},
        {{a, same}, cli::Success, {}},
        {{a, heavier}, cli::Failed, QStringLiteral("weight: 2650 \u2192 2710\n")},
        {{a, damaged},
         cli::Failed,
         QStringLiteral("damaged: none \u2192 1 at %1\n")
             .arg(NoxFileBuilder().version("2.0").records(2, 6).separatorOffset(1) + 1)},
        {{QStringLiteral("--metric"), a, solvane},
         cli::Failed,
         QStringLiteral("model: Nox \u2192 Solvane\n")},
        {{a, path("short.kvp")}, cli::BadUsage, {}},
        {{a}, cli::BadUsage, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(QStringList{QStringLiteral("diff")} + c.arguments);
        EXPECT_EQ(run.code, c.code) << run.err.toStdString();
        if (c.arguments.contains(solvane)) {
            EXPECT_TRUE(run.out.startsWith(c.out)) << run.out.toStdString();
        } else {
            EXPECT_EQ(run.out, c.out);
        }
    }
    const CliRun json = runCli({QStringLiteral("diff"), QStringLiteral("--json"), a, heavier});
    const QJsonArray differences =
        QJsonDocument::fromJson(json.out.toUtf8()).object()["differences"].toArray();
    EXPECT_EQ(differences,
              QJsonArray({QJsonObject{{"field", "weight"}, {"a", "2650"}, {"b", "2710"}}}));
}

} // namespace
} // namespace quenloft
