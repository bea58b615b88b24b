// What the window does with changes not yet in the file: it asks before they would be
// lost, and once saved it shows what the file holds; the title says which file is shown and
// whether it has unsaved changes; its own file commands are not taken for another program's.
#include "WindowFixture.h"

#include "runfile/RunFileLayout.h"

#include <QCloseEvent>
#include <QSignalSpy>

#include <functional>

using namespace quenloft;
using namespace quenloft::testing;

namespace {

class UnsavedChanges : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        prepare();
    }

    // The session names files as the system does: with backslashes on Windows.
    QString shownPath() const { return QDir::fromNativeSeparators(window.session().path()); }

    // a.kvp shown, with a weight typed and not saved; b.kvp beside it.
    void prepare()
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath("other"));
        other = write("b.kvp", filledNoxFile());
        shown = write("a.kvp", filledNoxFile());
        original = read(shown);
        if (!window.isVisible()) { // closed by the last case
            window.show();
            QApplication::setActiveWindow(&window);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        }
        script.saveChoices = {SaveChoice::Discard}; // what the last case left
        ASSERT_TRUE(select("a.kvp"));
        click(ui.cmdEdit);
        enter(FieldId::Weight, "2700");
        ASSERT_TRUE(window.session().hasUnsavedChanges());
        script.prompts.clear();
    }

    enum class Way { Click, ArrowKey, Folder, FromOutside, Close };
    void leave(Way way)
    {
        switch (way) {
        case Way::Click:
            QTest::mouseClick(ui.fileKVP->viewport(), Qt::LeftButton, {},
                              ui.fileKVP->visualItemRect(ui.fileKVP->item(1)).center());
            break;
        case Way::ArrowKey:
            QTest::keyClick(ui.fileKVP, Qt::Key_Down);
            break;
        case Way::Folder:
            (void)ui.dirKVP->setPath(dir.filePath("other"));
            break;
        case Way::FromOutside:
            (void)window.showRunFile(other);
            break;
        case Way::Close:
            (void)window.close();
            break;
        }
    }

    QString shown, other;
    QByteArray original;
};

TEST_F(UnsavedChanges, EveryWayOfLeavingTheFileAsksAndEachAnswerDoesWhatItSays)
{
    const struct
    {
        const char *name;
        Way way;
        const char *thenShown; // the file shown once leaving was allowed; "" for none
    } ways[] = {
        {"a click on another file", Way::Click, "b.kvp"},
        {"an arrow key in the file list", Way::ArrowKey, "b.kvp"},
        {"another folder", Way::Folder, ""},
        {"a file dropped or named from outside", Way::FromOutside, "b.kvp"},
        {"the window closing", Way::Close, ""},
    };
    for (const auto &way : ways) {
        for (const SaveChoice answer :
             {SaveChoice::Cancel, SaveChoice::Discard, SaveChoice::Save}) {
            SCOPED_TRACE(::testing::Message() << way.name << ", "
                                              << (answer == SaveChoice::Save      ? "Save"
                                                  : answer == SaveChoice::Discard ? "Discard"
                                                                                  : "Cancel"));
            prepare();
            script.saveChoices = {answer};
            leave(way.way);
            QCoreApplication::processEvents();
            ASSERT_EQ(script.prompts.size(), 1) << script.messages().join('|').toStdString();
            EXPECT_EQ(script.prompts[0].text, "Save changes to a.kvp?");
            if (answer == SaveChoice::Cancel) {
                EXPECT_EQ(shownPath(), shown) << "the file stays";
                EXPECT_EQ(ui.fileKVP->fileName(), "a.kvp") << "and its selection";
                EXPECT_EQ(ui.dirKVP->path(), dir.path()) << "and its folder";
                EXPECT_EQ(ui.fileKVP->path(), dir.path());
                EXPECT_TRUE(window.isVisible());
                EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2700") << "and its changes";
                EXPECT_EQ(read(shown), original);
                continue;
            }
            EXPECT_EQ(read(shown).mid(NoxLayout::Weight.offset, 2),
                      answer == SaveChoice::Save ? QByteArray("\x0a\x8c", 2)
                                                 : original.mid(NoxLayout::Weight.offset, 2));
            if (*way.thenShown) {
                EXPECT_EQ(shownPath(), dir.filePath(way.thenShown));
            }
            if (way.way == Way::Folder) {
                EXPECT_EQ(ui.fileKVP->path(), dir.filePath("other"));
            }
            if (way.way == Way::Close) {
                EXPECT_FALSE(window.isVisible());
            }
        }
    }
}

TEST_F(UnsavedChanges, RenamingOrDeletingTheShownFileAsksToo)
{
    script.saveChoices = {SaveChoice::Cancel};
    ui.mnuFilePopupDelete->trigger();
    EXPECT_EQ(script.messages(), QStringList{"Save changes to a.kvp?"});
    EXPECT_TRUE(QFile::exists(shown));

    script.prompts.clear();
    script.saveChoices = {SaveChoice::Discard};
    script.inputs = {QStringLiteral("renamed")};
    ui.mnuFilePopupRename->trigger();
    EXPECT_EQ(script.prompts.size(), 2) << script.messages().join('|').toStdString();
    EXPECT_EQ(shownPath(), dir.filePath("renamed.kvp"));
    EXPECT_EQ(read(dir.filePath("renamed.kvp")), original);
}

TEST_F(UnsavedChanges, NothingUnsavedNothingAsked)
{
    click(ui.cmdUndo);
    click(ui.cmdEdit);
    click(ui.label(FieldId::Weight)); // an editor opened changes nothing
    EXPECT_TRUE(select("b.kvp"));
    EXPECT_TRUE(script.prompts.isEmpty()) << script.messages().join('|').toStdString();
}

TEST_F(UnsavedChanges, TheTitleNamesTheFileAndMarksChangesNotInIt)
{
    EXPECT_EQ(window.windowTitle(), "a.kvp - Quenloft[*]");
    EXPECT_TRUE(window.isWindowModified());
    click(ui.cmdSave);
    EXPECT_FALSE(window.isWindowModified());
    script.saveChoices = {SaveChoice::Discard};
    (void)ui.dirKVP->setPath(dir.filePath("other"));
    EXPECT_EQ(window.windowTitle(), "Quenloft") << "no file shown";
}

TEST_F(UnsavedChanges, ARefusedSaveCanBeTriedAgain)
{
    {
        QFile file(shown); // another program adds to it meanwhile
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("more");
    }
    click(ui.cmdSave);
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(state(), kFileShown);
    EXPECT_TRUE(window.isWindowModified()) << "the changes shown are not in the file";
    click(ui.cmdEdit);
    EXPECT_EQ(state(), kEditingChangedNox) << "Save is offered at once";
    click(ui.cmdUndo);
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2650") << "Undo reads the file again";
    EXPECT_FALSE(window.isWindowModified());
}

// After Save the window shows what a reload shows, not what was typed.
TEST(SavedDisplay, IsWhatTheFileHolds)
{
    const struct
    {
        const char *file;
        bool metric;
        FieldId field;
        const char *typed;
        const char *shown;
    } rows[] = {
        {"a.kvp", false, FieldId::Weight, "2700.5", "2700"},
        {"a.kvp", false, FieldId::Redline, "8000.4", "8000"},
        {"a.kvp", false, FieldId::VehicleName, " Civic ", "Civic"},
        {"a.kvs", false, FieldId::Weight, "3310", "3311 lbs"},
        {"a.kvs", true, FieldId::FrontalArea, "2.2", "2.2 m^2"},
        {"a.kvs", false, FieldId::FrontalArea, "21.5", "21.52 ft^2"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.typed);
        QTemporaryDir dir;
        const QString path = dir.filePath(row.file);
        ASSERT_TRUE(
            fixtures::writeFile(path, QString::fromLatin1(row.file).endsWith("kvp")
                                          ? fixtures::NoxFileBuilder().version("2.0").build()
                                          : fixtures::SolvaneFileBuilder().build()));
        ScriptedPrompter::Script script;
        frmMain window;
        window.setPrompter(std::make_unique<ScriptedPrompter>(script));
        window.show();
        WindowControls ui(window);
        ASSERT_TRUE(window.showRunFile(path));
        if (window.session().metric() != row.metric)
            QTest::mouseClick(ui.lblUnits, Qt::LeftButton);
        QTest::mouseClick(ui.cmdEdit, Qt::LeftButton);
        QTest::mouseClick(ui.label(row.field), Qt::LeftButton);
        ASSERT_TRUE(ui.editor(row.field)->isVisible());
        ui.editor(row.field)->selectAll();
        QTest::keyClicks(ui.editor(row.field), QString::fromLatin1(row.typed));
        QTest::mouseClick(ui.cmdSave, Qt::LeftButton);
        EXPECT_EQ(ui.label(row.field)->text(), QString::fromLatin1(row.shown));
        const QString afterSave = ui.label(row.field)->text();
        QTest::mouseClick(ui.cmdEdit, Qt::LeftButton);
        QTest::mouseClick(ui.cmdUndo, Qt::LeftButton); // reads the file again
        EXPECT_EQ(ui.label(row.field)->text(), afterSave);
        EXPECT_TRUE(script.prompts.isEmpty()) << script.messages().join('|').toStdString();
    }
}

TEST_F(UnsavedChanges, TheWindowsOwnRenameAndDeleteAreNotAnotherProgramsChanges)
{
    click(ui.cmdSave);
    script.prompts.clear();
    script.inputs = {QStringLiteral("renamed")};
    ui.mnuFilePopupRename->trigger();
    EXPECT_EQ(shownPath(), dir.filePath("renamed.kvp"));
    EXPECT_EQ(ui.fileKVP->fileName(), "renamed.kvp");
    script.answers = {true};
    ui.mnuFilePopupDelete->trigger();
    EXPECT_FALSE(window.session().hasFile());
    QTest::qWait(300); // time for the file watch to report what it saw
    EXPECT_EQ(script.prompts.size(), 2) << script.messages().join('|').toStdString();
    EXPECT_EQ(window.windowTitle(), "Quenloft");
}

TEST_F(UnsavedChanges, ASolvaneFileRenamedStaysASolvaneFile)
{
    click(ui.cmdSave);
    write("s.kvs", fixtures::SolvaneFileBuilder().build());
    ASSERT_TRUE(select("s.kvs"));
    const struct
    {
        const char *answer;
        const char *name;
    } rows[] = {{"coast2", "coast2.kvs"}, {"highway2.KVS", "highway2.KVS"}};
    for (const auto &row : rows) {
        script.inputs = {QString::fromLatin1(row.answer)};
        ui.mnuFilePopupRename->trigger();
        EXPECT_EQ(shownPath(), dir.filePath(row.name));
        EXPECT_EQ(window.session().model(), Model::Solvane);
    }
}

TEST_F(UnsavedChanges, TheKeyboardReachesTheRolledUpListsAndTheirMenu)
{
    click(ui.cmdSave);
    ASSERT_EQ(ui.frameVEXAFile->frameHeightTwips(), 605);
    ui.fileKVP->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(ui.frameVEXAFile->frameHeightTwips(), 6975) << "rolled down for the focus";
    ui.cmdEdit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(ui.frameVEXAFile->frameHeightTwips(), 605) << "and up when it leaves";
    ui.fileKVP->setFocus(Qt::BacktabFocusReason);
    QTest::keyClick(ui.fileKVP, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(ui.mnuFilePopup->isVisible());
    ui.mnuFilePopup->hide();
}

} // namespace
