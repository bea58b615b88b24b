// The file list's commands on real files (delete, rename, open), and the link labels.
#include "BrowserFixture.h"

#include "app/column/ClickLabel.h"
#include "fixtures/FakeDesktop.h"

#include <QContextMenuEvent>
#include <QMenu>

#include <optional>

using namespace quenloft;
using namespace quenloft::testing;
using namespace std::chrono_literals;
using fixtures::FakeDesktop;

namespace {

class FileCommands : public BrowserTest
{
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        write("run.kvp");
        write("taken.kvp");
        pick("run.kvp");
        ASSERT_TRUE(commandsEnabled());
    }
};

TEST_F(FileCommands, DeleteAsksFirst)
{
    ui.mnuFilePopupDelete->trigger(); // answered No
    EXPECT_EQ(script.prompts.at(0).text, "This will permanently delete the file:\r\nrun.kvp\r\n"
                                         "Are you sure you want to delete it?");
    EXPECT_EQ(script.prompts.at(0).icon, PromptIcon::Stop);
    EXPECT_EQ(files(), QStringList({"run.kvp", "taken.kvp"}));

    script.answers = {true};
    ui.mnuFilePopupDelete->trigger();
    EXPECT_EQ(ui.fileKVP->fileNames(), QStringList{"taken.kvp"});
    EXPECT_EQ(files(), QStringList{"taken.kvp"});

    // The commands stay enabled with nothing selected, but act on no folder.
    ASSERT_TRUE(commandsEnabled());
    ui.mnuFilePopupRename->trigger();
    EXPECT_EQ(script.messages().last(), "You must select a VEXA file first!");
    QTest::mouseClick(ui.fileKVP->viewport(), Qt::LeftButton, {}, QPoint(20, 150));
    EXPECT_FALSE(commandsEnabled()) << "a release over the list with nothing selected";
}

TEST_F(FileCommands, TheMenuKeyOpensTheMenuAtTheSelectedFile)
{
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(ui.fileKVP, &key);
    ASSERT_TRUE(ui.mnuFilePopup->isVisible());
    const QRect item = ui.fileKVP->visualItemRect(ui.fileKVP->currentItem());
    EXPECT_EQ(ui.mnuFilePopup->pos(), ui.fileKVP->viewport()->mapToGlobal(item.center()));
    ui.mnuFilePopup->hide();
}

TEST_F(FileCommands, RefusedDeleteNamesTheSystemError)
{
    // Swapped for a folder after it was listed: that is refused even to root.
    ASSERT_TRUE(QFile::remove(path("run.kvp")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("run.kvp"));
    script.answers = {true};
    ui.mnuFilePopupDelete->trigger();
    EXPECT_EQ(script.messages().value(1), "WARNING:  error (5) - Access Denied - occurred while "
                                          "attempting to delete the file.");
    EXPECT_TRUE(QFileInfo(path("run.kvp")).isDir());
}

TEST_F(FileCommands, RenameRules)
{
    const QStringList untouched{"run.kvp", "taken.kvp"};
    const struct
    {
        std::optional<QString> answer;
        QStringList filesAfter;
        QString message;
    } cases[] = {
        {"  fast ", {"fast.kvp", "taken.kvp"}, {}},
        {"FAST.KVP", {"FAST.KVP", "taken.kvp"}, {}},
        {"fast.kvs", {"fast.kvs.kvp", "taken.kvp"}, {}},
        {"taken", untouched,
#ifdef Q_OS_WIN
         "WARNING:  error (183) - Already Exists - occurred while attempting to rename the file."},
#else
         "WARNING:  error (80) - File Exists - occurred while attempting to rename the file."},
#endif
        {std::nullopt, untouched, {}},
        {"   ", untouched, {}},
        {"run.kvp", untouched, {}},
        {"../run", untouched,
         "A file name cannot contain \"" + QDir::toNativeSeparators("/") +
             "\"; a file is renamed within its directory."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer.value_or("(cancel)").toStdString());
        script.prompts.clear();
        script.inputs = {c.answer};
        ui.mnuFilePopupRename->trigger();
        EXPECT_EQ(files(), c.filesAfter);
        EXPECT_EQ(ui.fileKVP->fileNames(), c.filesAfter);
        EXPECT_EQ(script.messages().value(1), c.message);
        if (c.filesAfter != untouched) {
            ASSERT_TRUE(QFile::rename(path(c.filesAfter.first()), path("run.kvp")));
        }
        pick("run.kvp");
    }
    EXPECT_EQ(QFile(path("taken.kvp")).size(), goodFile().size());
}

TEST_F(FileCommands, OpenAndLinksSayWhatFailed)
{
    openerSucceeds = true;
    ui.mnuFilePopupOpen->trigger();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(path("run.kvp"))});
    EXPECT_TRUE(script.prompts.isEmpty());

    openerSucceeds = false;
    ui.mnuFilePopupOpen->trigger();
    EXPECT_EQ(script.messages().value(0), "Shell [\"" + QDir::toNativeSeparators(path("run.kvp")) +
                                              "\"] failed!\r\n\r\nAre you sure you've "
                                              "associated the .KVP file extension to VEXA?");
    EXPECT_EQ(script.prompts.at(0).icon, PromptIcon::Stop);

    // The version history page is not beside the test program, so that one fails too.
    const QString history =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/version_history.html");
    for (ClickLabel *label :
         {ui.lblAbout, ui.lblHalvorn, ui.lblHalvornCopyright, ui.lblVersionHistory})
        QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(script.messages().mid(1), QStringList({"Shell [https://quenloft.example/] failed!",
                                                     "Shell [https://halvorn.example/] failed!",
                                                     "Shell [https://halvorn.example/] failed!",
                                                     "Shell [\"" + history + "\"] failed!"}));
}

// The desktop's opener, played by scripts first on PATH.
TEST_F(FileCommands, OpenFileHearsWhetherTheDesktopOpenedIt)
{
    QUENLOFT_SKIP_IF_MISSING(FakeDesktop::missing());
    QTemporaryDir folder;
    FakeDesktop desktop(folder.path());
    desktop.setQuery(FakeDesktop::kNamesAnApplication);
    const QByteArray searchPath = qgetenv("PATH");
    qputenv("PATH", desktop.folder().toLocal8Bit() + ':' + searchPath);
    (void)SetShellOpener({}); // the built-in opener

    const QString failed = "Shell [\"" + QDir::toNativeSeparators(path("run.kvp")) +
                           "\"] failed!\r\n\r\nAre you sure you've associated the .KVP file "
                           "extension to VEXA?";
    const struct
    {
        const char *opener;
        QStringList messages;
    } cases[] = {{"exit 3", {failed}}, {"exit 4", {failed}}, {FakeDesktop::kOpens, {}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.opener);
        desktop.setOpener(c.opener);
        script.prompts.clear();
        ui.mnuFilePopupOpen->trigger();
        EXPECT_EQ(script.messages(), c.messages);
    }
    EXPECT_EQ(desktop.openerCalls().size(), 3);

    // With no opener installed at all, the message says so and where one comes from.
    (void)SetShellOpener(DesktopOpener(desktop.settings(300ms)));
    desktop.setOpener("");
    script.prompts.clear();
    ui.mnuFilePopupOpen->trigger();
    EXPECT_EQ(script.messages(),
              QStringList{failed + "\r\n\r\nNo program to open files and web pages with is "
                                   "installed (xdg-open, from the package xdg-utils)."});

    // One that stays on has started the program it opened with: no message, and it is
    // neither waited for nor stopped.
    desktop.setOpener(FakeDesktop::kKeepsRunning);
    script.prompts.clear();
    ui.mnuFilePopupOpen->trigger();
    EXPECT_EQ(script.messages(), QStringList());
    EXPECT_TRUE(desktop.openerStillRuns());
    qputenv("PATH", searchPath);
}

} // namespace
