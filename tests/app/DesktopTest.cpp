// The window program's command line, and the files it finds where it is installed.
#include "app/program/Desktop.h"
#include "app/program/CommandLine.h"
#include "fixtures/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quenloft;

namespace {

using Outcome = CommandLine::Outcome;

TEST(CommandLine, OneFileOrFolderHelpVersionAndMistakes)
{
    const QString here = QDir::currentPath();
    const struct
    {
        QStringList arguments;
        Outcome outcome;
        QString path;    // with Open
        QString message; // the start of the text, otherwise
    } cases[] = {
        {{}, Outcome::Open, {}, {}},
        {{"run.kvp"}, Outcome::Open, here + "/run.kvp", {}},
#ifdef Q_OS_WIN
        {{"C:\\runs\\day 1\\"}, Outcome::Open, "C:/runs/day 1", {}},
#else
        {{"/runs/day 1/"}, Outcome::Open, "/runs/day 1", {}},
#endif
        {{"--help"}, Outcome::Help, {}, "Usage: quenloft [OPTION]... [FILE|FOLDER]\n"},
        {{"-h"}, Outcome::Help, {}, "Usage: quenloft "},
        {{"--bogus", "--help"}, Outcome::Help, {}, "Usage: quenloft "},
        {{"--version"}, Outcome::Version, {}, "Quenloft v3.00 build 2\n"},
        {{"-v"}, Outcome::Version, {}, "Quenloft v3.00 build 2\n"},
        {{"--bogus"}, Outcome::Error, {}, "quenloft: Unknown option 'bogus'.\n"},
        {{"a.kvp", "b.kvp"}, Outcome::Error, {}, "quenloft: only one FILE or FOLDER"},
        {{""}, Outcome::Error, {}, "quenloft: the FILE or FOLDER name is empty"},
        // The toolkit's options are QApplication's, and their values are not a FILE.
        {{"-style", "fusion", "-platform", "offscreen", "-reverse", "run.kvp"},
         Outcome::Open,
         here + "/run.kvp",
         {}},
        {{"--", "--help"}, Outcome::Open, here + "/--help", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLine parsed = ParseCommandLine(QStringList{"quenloft"} + c.arguments);
        EXPECT_EQ(parsed.outcome, c.outcome);
        EXPECT_EQ(parsed.path, c.path);
        EXPECT_TRUE(parsed.text.startsWith(c.message)) << parsed.text.toStdString();
        if (c.outcome == Outcome::Error) {
            EXPECT_TRUE(parsed.text.endsWith("Try 'quenloft --help' for more information.\n"));
        }
    }
}

TEST(InstalledFiles, VersionHistoryIsFoundFromTheProgramsPlace)
{
    QTemporaryDir root;
    const QString bin = root.filePath("usr/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString beside = bin + "/version_history.html";
    const QString installed = root.filePath("usr/share/quenloft/version_history.html");
    EXPECT_EQ(VersionHistoryPath(bin), beside) << "found nowhere: the place beside the program";

    ASSERT_TRUE(QFile(beside).open(QIODevice::WriteOnly));
    EXPECT_EQ(VersionHistoryPath(bin), beside) << "a program in the build tree";

    ASSERT_TRUE(QDir().mkpath(root.filePath("usr/share/quenloft/version_history.html")));
    EXPECT_EQ(VersionHistoryPath(bin), beside) << "a folder of that name is not the page";
    ASSERT_TRUE(QDir().rmdir(installed));
    ASSERT_TRUE(QFile(installed).open(QIODevice::WriteOnly));
    EXPECT_EQ(VersionHistoryPath(bin), installed) << "an installation wins over the build tree";
}

TEST(InstalledFiles, ProgramIconComesInEverySizeTheDesktopAsksFor)
{
    QList<QSize> sizes;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        sizes.append(QSize(size, size));
    EXPECT_EQ(ProgramIcon().availableSizes(), sizes);
    for (const QSize &size : sizes)
        EXPECT_EQ(ProgramIcon().pixmap(size).size(), size);
}

} // namespace
