// The file list's commands on real files: delete, rename, open with the associated
// program, and the link labels.
#include "BrowserFixture.h"

#include "app/ClickLabel.h"

#include <optional>

using namespace quenloft;
using namespace quenloft::testing;

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

TEST_F(FileCommands, DeleteAsksFirstAndNoKeepsTheFile)
{
    window.mnuFilePopupDelete()->trigger(); // answered No
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(script.prompts.at(0).text, "This will permanently delete the file:\r\nrun.kvp\r\n"
                                         "Are you sure you want to delete it?");
    EXPECT_EQ(script.prompts.at(0).icon, PromptIcon::Stop);
    EXPECT_EQ(files(), QStringList({"run.kvp", "taken.kvp"}));

    script.answers = {true};
    window.mnuFilePopupDelete()->trigger();
    EXPECT_EQ(files(), QStringList{"taken.kvp"});
    EXPECT_EQ(window.fileKVP()->fileNames(), QStringList{"taken.kvp"});
    EXPECT_EQ(script.prompts.size(), 2);
}

TEST_F(FileCommands, RefusedDeleteNamesTheSystemError)
{
    // Swapped for a folder after it was listed: the system refuses to delete that as a file.
    ASSERT_TRUE(QFile::remove(path("run.kvp")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("run.kvp"));
    script.answers = {true};
    window.mnuFilePopupDelete()->trigger();
    EXPECT_EQ(script.messages().value(1), "WARNING:  error (5) - Access Denied - occurred while "
                                          "attempting to delete the file.");
    EXPECT_TRUE(QFileInfo(path("run.kvp")).isDir());
}

struct RenameCase
{
    const char *name;
    std::optional<QString> answer;
    QStringList filesAfter;
    QString message; // empty when none is expected
};

TEST_F(FileCommands, RenameRules)
{
    const QStringList untouched{"run.kvp", "taken.kvp"};
    const RenameCase cases[] = {
        {"spaces trimmed, extension added", "  fast ", {"fast.kvp", "taken.kvp"}, {}},
        {"any case of .kvp kept", "FAST.KVP", {"FAST.KVP", "taken.kvp"}, {}},
        {"only .kvp counts as an ending", "fast.kvs", {"fast.kvs.kvp", "taken.kvp"}, {}},
        {"never onto another file", "taken", untouched,
         "WARNING:  error (80) - File Exists - occurred while attempting to rename the file."},
        {"cancelled", std::nullopt, untouched, {}},
        {"blank", "   ", untouched, {}},
        {"same name", "run.kvp", untouched, {}},
        {"no moving elsewhere", "../run", untouched,
         "A file name cannot contain \"/\"; a file is renamed within its directory."},
    };
    for (const RenameCase &c : cases) {
        SCOPED_TRACE(c.name);
        script.prompts.clear();
        script.inputs = {c.answer};
        window.mnuFilePopupRename()->trigger();
        EXPECT_EQ(files(), c.filesAfter);
        EXPECT_EQ(window.fileKVP()->fileNames(), c.filesAfter);
        EXPECT_EQ(script.messages().value(1), c.message);
        for (const QString &name : files()) {
            if (name != "taken.kvp" && name != "run.kvp") {
                ASSERT_TRUE(QFile::rename(path(name), path("run.kvp")));
            }
        }
        pick("run.kvp");
    }
    EXPECT_EQ(QFile(path("run.kvp")).size(), goodFile().size());
}

TEST_F(FileCommands, OpenHandsTheFileToTheShellAndExplainsAFailure)
{
    openerSucceeds = true;
    window.mnuFilePopupOpen()->trigger();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(path("run.kvp"))});
    EXPECT_TRUE(script.prompts.isEmpty());

    openerSucceeds = false;
    window.mnuFilePopupOpen()->trigger();
    EXPECT_EQ(script.messages(), QStringList{"Shell [\"" + path("run.kvp") +
                                             "\"] failed!\r\n\r\nAre you sure you've "
                                             "associated the .KVP file extension to VEXA?"});
    EXPECT_EQ(script.prompts.at(0).icon, PromptIcon::Stop);
}

TEST_F(FileCommands, WithNothingSelectedTheCommandsSaySo)
{
    script.answers = {true};
    window.mnuFilePopupDelete()->trigger();
    ASSERT_TRUE(commandsEnabled()) << "still enabled after the delete";
    script.prompts.clear();
    for (QAction *item :
         {window.mnuFilePopupDelete(), window.mnuFilePopupRename(), window.mnuFilePopupOpen()})
        item->trigger();
    EXPECT_EQ(script.messages(), QStringList(3, "You must select a VEXA file first!"));
    EXPECT_EQ(files(), QStringList{"taken.kvp"});
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(FileCommands, LinksOpenTheirPagesOrSayWhichFailed)
{
    const QString history =
        "\"" + QCoreApplication::applicationDirPath() + "/version_history.html\"";
    const struct
    {
        ClickLabel *label;
        QString target;
    } links[] = {
        {window.lblAbout(), "https://quenloft.example/"},
        {window.lblHalvorn(), "https://halvorn.example/"},
        {window.lblHalvornCopyright(), "https://halvorn.example/"},
        {window.lblVersionHistory(), history}, // not beside the test program
    };
    for (const auto &link : links) {
        script.prompts.clear();
        QTest::mouseClick(link.label, Qt::LeftButton);
        EXPECT_EQ(script.messages(), QStringList{"Shell [" + link.target + "] failed!"});
    }
    EXPECT_EQ(opened,
              QList<QUrl>({QUrl("https://quenloft.example/"), QUrl("https://halvorn.example/"),
                           QUrl("https://halvorn.example/")}));
}

} // namespace
