// The window as a screen reader meets it, through Qt's accessibility tree, and the
// commands' access keys.
#include "WindowFixture.h"

#include "app/pane/PaneFrame.h"
#include "app/program/Prompts.h"

#include <QAccessible>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

using namespace quenloft;
using namespace quenloft::fixtures;
using namespace quenloft::testing;

namespace {

QAccessibleInterface *accessibleOf(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

bool canPress(QAccessibleInterface *iface)
{
    QAccessibleActionInterface *actions = iface->actionInterface();
    return actions != nullptr &&
           actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

// Every widget a user can reach, by focus or by a click, in the tree a screen reader walks
// from the window.
void collectReachable(QAccessibleInterface *iface, QList<QAccessibleInterface *> &found)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (child == nullptr || child->state().invisible)
            continue;
        if (child->object() != nullptr && child->object()->isWidgetType() &&
            (child->state().focusable || canPress(child)))
            found.append(child);
        collectReachable(child, found);
    }
}

class Accessibility : public WindowTest
{
protected:
    QAccessibleInterface *named(const char *objectName) const
    {
        auto *widget = window.findChild<QWidget *>(QString::fromLatin1(objectName));
        EXPECT_NE(widget, nullptr) << objectName;
        return widget != nullptr ? accessibleOf(widget) : nullptr;
    }
};

TEST_F(Accessibility, EveryReachableControlHasANameAndADescription)
{
    auto check = [this](const char *when) {
        SCOPED_TRACE(when);
        QList<QAccessibleInterface *> found;
        collectReachable(accessibleOf(&window), found);
        EXPECT_GE(found.size(), 15);
        for (QAccessibleInterface *iface : found) {
            const std::string object = iface->object()->objectName().toStdString();
            EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << object;
            EXPECT_FALSE(iface->text(QAccessible::Description).isEmpty()) << object;
        }
    };
    check("no file");
    ui.frameVEXAFile->setFrameHeightTwips(6975);
    ASSERT_TRUE(load("run.kvp", filledNoxFile()));
    check("Nox file shown");
    click(ui.cmdEdit);
    click(ui.label(FieldId::Weight));
    check("Nox field editor open");
    ASSERT_TRUE(load("run.kvs", SolvaneFileBuilder().build()));
    check("Solvane file shown");
}

struct SpokenCase
{
    const char *object;
    QAccessible::Role role;
    const char *name;
    const char *inDescription;
    const char *labelledBy; // nullptr: no label of its own
};

TEST_F(Accessibility, ControlsSayWhatTheyAreAndDo)
{
    ASSERT_TRUE(load("run.kvp", filledNoxFile()));
    click(ui.cmdEdit);
    click(ui.label(FieldId::Weight)); // opens its editor

    const SpokenCase cases[] = {
        {"lblVehicleName", QAccessible::StaticText, "Vehicle Name",
         "Civic. The name of the vehicle", "lblVehicleNameLabel"},
        {"lblRunName", QAccessible::StaticText, "Run Name", "Pass 1. The name of the run",
         "lblRunNameLabel"},
        {"txtVehicleWeight", QAccessible::EditableText, "Vehicle Weight", "The range is 1 to ",
         "lblVehicleWeightLabel"},
        {"txtVehicleNotes", QAccessible::EditableText, "Vehicle Notes", "notes", "lblVehicleNotes"},
        {"driveKVP", QAccessible::ComboBox, nullptr, "Select the drive", nullptr},
        {"dirKVP", QAccessible::List, "Directory", "select a directory", nullptr},
        {"fileKVP", QAccessible::List, "Run files", "files of the directory", nullptr},
        {"cmdEdit", QAccessible::Button, "Edit Data", "Edit the displayed", nullptr},
        {"cmdUndo", QAccessible::Button, "Undo", "Undo changes", nullptr},
        {"cmdSave", QAccessible::Button, "Save Data", "Save changes", nullptr},
        {"chkPin", QAccessible::CheckBox, "Pin", "pinned open", nullptr},
        {"lblAbout", QAccessible::Link, "Quenloft website", "web browser", nullptr},
        {"lblVersionHistory", QAccessible::Link, "Version history",
         "Opens the version history in your web browser.", nullptr},
        {"lblHalvorn", QAccessible::Link, "Halvorn Electronics' website", "web browser", nullptr},
        {"lblHalvornCopyright", QAccessible::Link, nullptr, "web browser", nullptr},
    };
    for (const SpokenCase &c : cases) {
        SCOPED_TRACE(c.object);
        QAccessibleInterface *iface = named(c.object);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), c.role);
        if (c.name != nullptr) {
            EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(c.name));
        }
        EXPECT_TRUE(
            iface->text(QAccessible::Description).contains(QString::fromUtf8(c.inDescription)))
            << iface->text(QAccessible::Description).toStdString();
        QStringList labels;
        for (const auto &[label, relation] : iface->relations(QAccessible::Label))
            if (label->object() != nullptr && label->object()->objectName().startsWith(u"lbl"))
                labels.append(label->object()->objectName());
        EXPECT_EQ(labels, c.labelledBy != nullptr ? QStringList{QString::fromLatin1(c.labelledBy)}
                                                  : QStringList());
    }
    EXPECT_EQ(named("lblVehicleWeight")->text(QAccessible::Value), "2650");
    click(ui.label(FieldId::RunName)); // built under "Run Date:", opened under "Run Name:"
    EXPECT_EQ(named("txtRunName")->text(QAccessible::Name), "Run Name");

    ASSERT_TRUE(load("run.kvs", SolvaneFileBuilder().build()));
    EXPECT_EQ(named("lblRunName")->text(QAccessible::Name), "Run Date");
    EXPECT_EQ(named("lblUnits")->role(), QAccessible::Button);
    EXPECT_EQ(named("lblUnits")->text(QAccessible::Name), "Imperial Units");
    EXPECT_TRUE(script.prompts.isEmpty());
}

TEST_F(Accessibility, PressingALabelActsAsAClick)
{
    ASSERT_TRUE(load("run.kvs", SolvaneFileBuilder().build()));
    QAccessibleInterface *units = named("lblUnits");
    units->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(window.session().metric());
    EXPECT_EQ(units->text(QAccessible::Name), "Metric Units");

    click(ui.cmdEdit);
    EXPECT_FALSE(canPress(units)) << "the unit switch is off while editing";
    named("lblVehicleCoeffOfDrag")
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(ui.editor(FieldId::CoeffOfDrag)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), ui.editor(FieldId::CoeffOfDrag));
}

TEST_F(Accessibility, AccessKeysRunTheCommands)
{
    const QString path = write("run.kvp", filledNoxFile());
    ASSERT_TRUE(select("run.kvp"));
    auto press = [](Qt::Key key) {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : QApplication::activeWindow(), key,
                        Qt::AltModifier);
    };
    // A button clicked by its access key is released a moment later, as if pressed.
    auto settlesAt = [this](const QString &wanted) {
        return QTest::qWaitFor([&] { return state() == wanted; }, 2000);
    };

    press(Qt::Key_E);
    ASSERT_TRUE(settlesAt(kEditingUnchangedNox)) << state().toStdString();
    click(ui.label(FieldId::VehicleName));
    QTest::keyClicks(ui.editor(FieldId::VehicleName), "Miata");
    press(Qt::Key_U);
    ASSERT_TRUE(settlesAt(kFileShown)) << state().toStdString();
    EXPECT_EQ(ui.label(FieldId::VehicleName)->text(), "Civic") << "reloaded";

    press(Qt::Key_E);
    ASSERT_TRUE(settlesAt(kEditingUnchangedNox));
    click(ui.label(FieldId::VehicleName));
    QTest::keyClicks(ui.editor(FieldId::VehicleName), "Miata");
    press(Qt::Key_S);
    ASSERT_TRUE(settlesAt(kFileShown)) << state().toStdString();
    EXPECT_TRUE(read(path).contains("Miata")) << "saved, the open editor left first";
    EXPECT_TRUE(script.prompts.isEmpty()) << script.messages().join(u'|').toStdString();
}

// The real message and input boxes, as a screen reader finds them when they open.
TEST(AccessiblePrompts, BoxesAreTitledQuenloft)
{
    QWidget parent;
    parent.show();
    DialogPrompter prompter;
    const std::function<void()> asks[] = {
        [&] { prompter.message(&parent, QStringLiteral("Text"), PromptIcon::Stop); },
        [&] { (void)prompter.askYesNo(&parent, QStringLiteral("Sure?"), PromptIcon::Stop, true); },
        [&] { (void)prompter.input(&parent, QStringLiteral("Name:"), QStringLiteral("a")); },
    };
    for (const auto &ask : asks) {
        QString spoken;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            spoken = accessibleOf(box)->text(QAccessible::Name);
            box->close();
        });
        ask();
        EXPECT_EQ(spoken, "Quenloft");
    }
}

} // namespace
