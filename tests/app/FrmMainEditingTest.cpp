// Editing in the real window: the states of edit mode, opening fields from their labels,
// the range checks with their message and focus, Save down to the file's bytes, Save's
// failures, and Undo.
#include "WindowFixture.h"

#include "fixtures/SystemCases.h"
#include "runfile/RunFileLayout.h"

#include <QLineEdit>

using namespace quenloft;
using namespace quenloft::fixtures;
using namespace quenloft::testing;

namespace {

const QString kRange =
    QStringLiteral("You entered a value that is out of the allowable range (%1).\r\n"
                   "Please correct this now.");

using Editing = WindowTest;

TEST_F(Editing, StatesFollowEditChangeSaveAndUndo)
{
    ASSERT_TRUE(load("a.kvp", filledNoxFile()));
    EXPECT_EQ(state(), kFileShown);
    click(ui.label(FieldId::Weight));
    EXPECT_FALSE(ui.editor(FieldId::Weight)->isVisible()) << "no editor outside edit mode";

    click(ui.cmdEdit);
    EXPECT_EQ(state(), kEditingUnchangedNox);
    EXPECT_FALSE(window.session().isDirty());
    EXPECT_TRUE(ui.editor(FieldId::RunName)->isEnabled());

    QTest::keyClicks(ui.txtVehicleNotes, "x");
    EXPECT_EQ(state(), kEditingChangedNox);
    EXPECT_TRUE(window.session().isDirty());

    click(ui.cmdUndo);
    EXPECT_EQ(state(), kFileShown);
    EXPECT_EQ(ui.txtVehicleNotes->toPlainText(), "Old notes here");

    ASSERT_TRUE(load("s.kvs", SolvaneFileBuilder().build()));
    click(ui.cmdEdit);
    EXPECT_EQ(state(), kEditingUnchangedSolvane);
    EXPECT_FALSE(ui.editor(FieldId::RunName)->isEnabled()) << "the run date is not editable";
    click(ui.label(FieldId::RunName));
    EXPECT_FALSE(ui.editor(FieldId::RunName)->isVisible());
}

TEST_F(Editing, OpeningAFieldCopiesItsValueWithoutUnitAndMayMarkTheDataChanged)
{
    ASSERT_TRUE(load("s.kvs", SolvaneFileBuilder().weight(1234).drivelineLoss(15).build()));
    click(ui.lblUnits); // metric
    click(ui.cmdEdit);
    click(ui.label(FieldId::Weight));
    EXPECT_TRUE(ui.editor(FieldId::Weight)->isVisible());
    EXPECT_FALSE(ui.label(FieldId::Weight)->isVisible());
    EXPECT_EQ(ui.editor(FieldId::Weight)->text(), "1234");
    EXPECT_EQ(ui.editor(FieldId::Weight)->selectedText(), "1234");
    EXPECT_EQ(state(), kEditingChangedSolvane) << "the editor's text changed from empty";

    QTest::keyClicks(ui.editor(FieldId::Weight), "1500");
    click(ui.label(FieldId::DrivelineLoss));
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "1500 kgs");
    EXPECT_EQ(ui.editor(FieldId::DrivelineLoss)->text(), "15");
    EXPECT_TRUE(script.prompts.isEmpty());
}

// What typing reaches: the field's rules are the core's (tests/vehicle/FieldEntryTest);
// these cases show that the window hands them the shown model and units, shows an
// accepted value as the core gives it back, and keeps a refused one open with its message.
struct EntryCase
{
    const char *name;
    const char *file; // "nox" or "solvane"
    bool metric;
    FieldId field;
    const char *typed;
    const char *shown;  // the label afterwards, or nullptr when refused
    const char *bounds; // the message's range when refused
    const char *kept;   // the editor's text after a refusal
};

class Entry : public Editing, public ::testing::WithParamInterface<EntryCase>
{
};

TEST_P(Entry, ReachesTheCoreAndShowsItsOutcome)
{
    const EntryCase c = GetParam();
    if (QByteArray(c.file) == "nox")
        ASSERT_TRUE(load("f.kvp", filledNoxFile()));
    else
        ASSERT_TRUE(load("f.kvs", SolvaneFileBuilder().build()));
    if (c.metric)
        click(ui.lblUnits);
    click(ui.cmdEdit);
    ClickLabel *label = ui.label(c.field);
    FieldEditor *editor = ui.editor(c.field);
    enter(label, editor, QString::fromUtf8(c.typed));

    if (c.shown) {
        EXPECT_TRUE(script.prompts.isEmpty()) << script.messages().join('|').toStdString();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(label->text(), QString::fromUtf8(c.shown));
    } else {
        ASSERT_EQ(script.prompts.size(), 1) << "one message per attempt to leave";
        EXPECT_EQ(script.prompts[0].text, kRange.arg(QString::fromLatin1(c.bounds)));
        EXPECT_EQ(script.prompts[0].icon, PromptIcon::Stop);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), editor) << "the focus goes back";
        EXPECT_EQ(editor->text(), QString::fromUtf8(c.kept));
        EXPECT_EQ(editor->selectedText(), editor->text());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Entry,
    ::testing::Values(EntryCase{"NormalisedValueShown", "solvane", false, FieldId::CoeffOfDrag,
                                ".355", "0.36", "", ""},
                      EntryCase{"MetricWeightShownWithItsUnit", "solvane", true, FieldId::Weight,
                                "1500", "1500 kgs", "", ""},
                      EntryCase{"RefusedWithTheNormalisedTextKept", "solvane", false,
                                FieldId::CoeffOfDrag, ".995", nullptr, "0.01-0.99", "1.00"},
                      EntryCase{"NoxWeightRefusedByTheNoxRange", "nox", false, FieldId::Weight,
                                "65536", nullptr, "1-65535", "65536"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Editing, TwoRejectedEditorsDoNotSetOffAChainOfMessages)
{
    ASSERT_TRUE(load("a.kvp", filledNoxFile()));
    click(ui.cmdEdit);
    click(ui.label(FieldId::Redline));
    QTest::keyClicks(ui.editor(FieldId::Redline), "0");
    // Opening the next field moves the focus, which leaves the first: rejected once.
    click(ui.label(FieldId::ShiftPoint));
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), ui.editor(FieldId::Redline));
    EXPECT_TRUE(ui.editor(FieldId::ShiftPoint)->isVisible()) << "both stay open";

    // Fixing the first and leaving it for the second works without further messages.
    QTest::keyClicks(ui.editor(FieldId::Redline), "7000");
    ui.editor(FieldId::ShiftPoint)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(ui.label(FieldId::Redline)->text(), "7000");
    EXPECT_EQ(QApplication::focusWidget(), ui.editor(FieldId::ShiftPoint));
}

TEST_F(Editing, TheKeyboardOpensAndLeavesEveryFieldInTheFocusOrder)
{
    ASSERT_TRUE(load("a.kvp", filledNoxFile()));
    ClickLabel *weight = ui.label(FieldId::Weight);
    FieldEditor *weightEditor = ui.editor(FieldId::Weight);
    ui.txtVehicleNotes->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), ui.label(FieldId::RunName))
        << "outside edit mode the values take no focus";

    click(ui.cmdEdit);
    ui.txtVehicleNotes->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.join(u' '), "lblRunName lblVehicleName lblVehicleWeight lblVehicleRedline "
                                  "lblVehicleShiftPoint lblVehicleRolloutLength lblPitchFactor "
                                  "chkPin");

    weight->setFocus(Qt::TabFocusReason);
    QTest::keyClick(weight, Qt::Key_Return);
    ASSERT_TRUE(weightEditor->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), weightEditor);
    QTest::keyClicks(weightEditor, "0");
    QTest::keyClick(weightEditor, Qt::Key_Return);
    ASSERT_EQ(script.prompts.size(), 1) << "Enter checks the value as leaving does";
    EXPECT_TRUE(weightEditor->isVisible());
    QTest::keyClick(weightEditor, Qt::Key_Escape);
    EXPECT_FALSE(weightEditor->isVisible());
    EXPECT_EQ(weight->text(), "2650") << "Escape drops what was typed";
    EXPECT_EQ(QApplication::focusWidget(), weight);

    QTest::keyClick(weight, Qt::Key_F2);
    QTest::keyClicks(weightEditor, "2700");
    QTest::keyClick(weightEditor, Qt::Key_Enter);
    EXPECT_EQ(weight->text(), "2700");
    EXPECT_EQ(QApplication::focusWidget(), weight);
    QTest::keyClick(weight, Qt::Key_Space);
    QTest::keyClick(weightEditor, Qt::Key_Tab);
    EXPECT_FALSE(weightEditor->isVisible()) << "Tab leaves the editor for the next field";
    EXPECT_EQ(QApplication::focusWidget(), ui.label(FieldId::Redline));
    EXPECT_EQ(script.prompts.size(), 1);
}

TEST_F(Editing, SaveWritesEveryShownValueInPlace)
{
    const QString path = write("a.kvp", filledNoxFile());
    const QByteArray before = read(path);
    NoxFileBuilder layout;
    layout.records(3, 8);
    const qsizetype notes = layout.notesOffset();
    ASSERT_TRUE(select("a.kvp"));
    click(ui.cmdEdit);
    enter(FieldId::Weight, "200");
    enter(FieldId::RunName, "Test");
    ui.txtVehicleNotes->selectAll();
    QTest::keyClicks(ui.txtVehicleNotes, "A");
    QTest::keyClick(ui.txtVehicleNotes, Qt::Key_Return);
    QTest::keyClicks(ui.txtVehicleNotes, "B");
    click(ui.cmdSave);

    EXPECT_TRUE(script.prompts.isEmpty()) << script.messages().join('|').toStdString();
    EXPECT_EQ(state(), kFileShown);
    EXPECT_FALSE(window.session().isDirty());
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "200");
    const QByteArray after = read(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.mid(NoxLayout::Weight.offset, 2), QByteArray("\x00\xC8", 2));
    EXPECT_EQ(after.mid(NoxLayout::RunName.offset, 5), QByteArray("Test\0", 5));
    EXPECT_EQ(after.mid(NoxLayout::RunName.offset + 5, 43), QByteArray(43, '\xFF'));
    EXPECT_EQ(after.mid(notes, 5), QByteArray("\x03"
                                              "A\rB\0",
                                              5));
    EXPECT_EQ(after.mid(notes + 5), before.mid(notes + 5)) << "old notes bytes stay";
    EXPECT_EQ(after.left(NoxLayout::RunName.offset), before.left(NoxLayout::RunName.offset));
    EXPECT_EQ(after.mid(155, notes - 155), before.mid(155, notes - 155)) << "run data untouched";

    ASSERT_TRUE(select("a.kvp"));
    EXPECT_EQ(ui.txtVehicleNotes->toPlainText(), "A\nB");
    EXPECT_EQ(ui.label(FieldId::RunName)->text(), "Test");
}

TEST_F(Editing, SaveLeavesOpenEditorsFirst)
{
    const QString path = write("s.kvs", SolvaneFileBuilder().weight(1500).build());
    ASSERT_TRUE(select("s.kvs"));
    click(ui.cmdEdit);
    click(ui.label(FieldId::Weight));
    QTest::keyClicks(ui.editor(FieldId::Weight), "2200");
    ui.cmdSave->click(); // as its access key does: the focus stays in the editor
    EXPECT_TRUE(script.prompts.isEmpty()) << script.messages().join('|').toStdString();
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2200 lbs");
    EXPECT_EQ(read(path).mid(SolvaneLayout::Weight.offset, 2), QByteArray("\xE8\x03", 2))
        << "2200 lbs is 1000 kg";
}

TEST_F(Editing, SaveWithARejectedEntryKeepsTheFieldsLastValue)
{
    const QString path = write("s.kvs", SolvaneFileBuilder().coeffOfDrag(35).weight(1000).build());
    const QByteArray before = read(path);
    ASSERT_TRUE(select("s.kvs"));
    click(ui.cmdEdit);
    click(ui.label(FieldId::CoeffOfDrag));
    QTest::keyClicks(ui.editor(FieldId::CoeffOfDrag), "2");
    click(ui.cmdSave); // leaving the editor for the button rejects the entry
    EXPECT_EQ(script.prompts.size(), 1) << script.messages().join('|').toStdString();
    EXPECT_EQ(state(), kFileShown);
    EXPECT_FALSE(ui.editor(FieldId::CoeffOfDrag)->isVisible());
    EXPECT_EQ(ui.label(FieldId::CoeffOfDrag)->text(), "0.35");
    EXPECT_EQ(read(path), before);

    // An open weight editor is left by Save itself (as by its access key): one message,
    // and the other fields are saved.
    script.prompts.clear();
    click(ui.cmdEdit);
    enter(FieldId::DrivelineLoss, "20");
    click(ui.label(FieldId::Weight));
    QTest::keyClicks(ui.editor(FieldId::Weight), "0");
    ui.cmdSave->click();
    EXPECT_EQ(script.prompts.size(), 1) << script.messages().join('|').toStdString();
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2200 lbs");
    EXPECT_EQ(quint8(read(path).at(SolvaneLayout::DrivelineLoss.offset)), 20);
    EXPECT_EQ(read(path).mid(SolvaneLayout::Weight.offset, 2),
              before.mid(SolvaneLayout::Weight.offset, 2));
}

// Why a save fails (a lock, a file changed or gone) is the writer's to find out
// (tests/runfile); the window says so and keeps the edit on show.
TEST_F(Editing, AFailedSaveSaysWhyAndWritesNothing)
{
    const QString path = write("a.kvp", filledNoxFile());
    ASSERT_TRUE(select("a.kvp"));
    click(ui.cmdEdit);
    enter(FieldId::Weight, "200");
    {
        QFile file(path); // another program adds to it meanwhile
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("more run data");
    }
    const QByteArray changed = read(path);
    click(ui.cmdSave);
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_TRUE(script.prompts[0].text.startsWith("Error saving the VEXA file!"));
    EXPECT_TRUE(script.prompts[0].text.contains("changed on disk since it was loaded"))
        << script.prompts[0].text.toStdString();
    EXPECT_EQ(script.prompts[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(state(), kFileShown);
    EXPECT_TRUE(window.session().isDirty()) << "nothing was written";
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "200") << "the edit stays on show";
    EXPECT_EQ(read(path), changed);
}

TEST_F(Editing, NotesThatCannotBeStoredAreRefusedOnSave)
{
    const QString path = write("a.kvp", filledNoxFile());
    const QByteArray before = read(path);
    ASSERT_TRUE(select("a.kvp"));
    click(ui.cmdEdit);
    ui.txtVehicleNotes->setPlainText(QString(300, 'n'));
    click(ui.cmdSave);
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_TRUE(script.prompts[0].text.contains("at most 255"));
    EXPECT_EQ(read(path), before);
}

TEST_F(Editing, NotesOfAFileWithoutNotesBlockStayLocked)
{
    ASSERT_TRUE(load("a.kvp", NoxFileBuilder().records(2, 6).build()));
    click(ui.cmdEdit);
    EXPECT_TRUE(ui.txtVehicleNotes->isReadOnly());
    ui.txtVehicleNotes->setFocus();
    QTest::keyClicks(ui.txtVehicleNotes, "ab");
    ASSERT_EQ(script.prompts.size(), 1) << "told once";
    EXPECT_TRUE(script.prompts[0].text.contains("no notes block"));
    EXPECT_EQ(ui.txtVehicleNotes->toPlainText(), "");
}

TEST_F(Editing, UndoReadsTheFileAgain)
{
    ASSERT_TRUE(load("a.kvp", filledNoxFile()));
    click(ui.cmdEdit);
    enter(FieldId::VehicleName, "Other");
    EXPECT_EQ(ui.label(FieldId::VehicleName)->text(), "Other");
    click(ui.cmdUndo);
    EXPECT_EQ(ui.label(FieldId::VehicleName)->text(), "Civic");
    EXPECT_EQ(state(), kFileShown);
    EXPECT_FALSE(window.session().isDirty());
}

TEST_F(Editing, UnitsCannotChangeWhileEditing)
{
    ASSERT_TRUE(load("s.kvs", SolvaneFileBuilder().weight(1234).build()));
    click(ui.cmdEdit);
    click(ui.lblUnits);
    EXPECT_FALSE(window.session().metric());
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2714.8 lbs");
}

} // namespace
