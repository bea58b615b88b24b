// The window's control set as designed: one row per control, checked against the real
// window by object name.
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"
#include "app/pane/PaneFrame.h"
#include "browser/lists/DirListBox.h"
#include "browser/lists/DriveListBox.h"
#include "browser/lists/FileListBox.h"
#include "fixtures/QtPrinters.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using quenloft::frmMain;

namespace {

constexpr int kNoLimit = -1;
constexpr const char *kWindow = "frmMain";
constexpr const char *kFrame = "frameVEXAFile";

struct ControlCase
{
    const char *name;
    const char *kind;             // a class the control inherits
    const char *container;        // object name of its parent
    int left, top, width, height; // twips
    const char *text;
    const char *toolTip;
    int maxLength;
    bool shown;
    bool enabled;
};

std::ostream &operator<<(std::ostream &out, const ControlCase &c)
{
    return out << c.name;
}

const char *const kRunNameTip = "The name of the run.  Maximum length is 47 characters.";
const char *const kVehicleNameTip = "The name of the vehicle.  Maximum length is 15 characters.";
const char *const kWeightTip = "The weight of the vehicle in kilograms.  The range is 1 to 65,535.";
const char *const kRedlineTip = "The redline of the vehicle.  The range is 1 to 65,535.";
const char *const kShiftTip = "The shift point of the vehicle.  The range is 1 to 65,535.";
const char *const kRolloutTip =
    "The rollout length of the vehicle in inches.  The range is 1 to 6,553.";
const char *const kPitchTip =
    "The pitch factor of the vehicle in degrees per G.  The range is 0.0 to 9.9.";
const char *const kAreaTip =
    "The frontal area of the vehicle in square meters.  The range is 0.1 to 9.9.";
const char *const kDragTip = "The coefficient of drag of the vehicle.  The range is 0.01 to 0.99.";
const char *const kLossTip =
    "The loss of power due to the driveline in percentage.  The range is 1 to 99.";
const char *const kMakerTip = "Click here to go to Halvorn Electronics' website.";

const ControlCase kControls[] = {
    // File-browser pane.
    {"frameVEXAFile", "QGroupBox", kWindow, 120, 240, 5535, 6975,
     "Mouse over to select your Kivra VEXA file (*.KVP)", "", kNoLimit, true, true},
    {"driveKVP", "quenloft::DriveListBox", kFrame, 120, 240, 5295, 315, nullptr,
     "Select the drive to look for KVP files in.", kNoLimit, true, true},
    {"dirKVP", "quenloft::DirListBox", kFrame, 120, 600, 5295, 3015, nullptr,
     "Double-click to select a directory to display KVP files in.", kNoLimit, true, true},
    {"fileKVP", "quenloft::FileListBox", kFrame, 120, 3600, 5295, 3015, nullptr, "", kNoLimit, true,
     true},
    {"lblFileHints", "QLabel", kFrame, 120, 6645, 4815, 255,
     "Select a file and then right-click for context-specific commands.", "", kNoLimit, true, true},
    {"chkPin", "QPushButton", kFrame, 5040, 6650, 375, 255, "Pin",
     "Toggles whether the file browser is pinned open or not.", kNoLimit, true, true},

    // Caption labels.
    {"lblRunNameLabel", "QLabel", kWindow, 7650, 1365, 1455, 255, "Run Date:", "", kNoLimit, true,
     true},
    {"lblVehicleNameLabel", "QLabel", kWindow, 7650, 1725, 1455, 255, "Vehicle Name:", "", kNoLimit,
     false, true},
    {"lblVehicleWeightLabel", "QLabel", kWindow, 7650, 2205, 1455, 255, "Vehicle Weight:", "",
     kNoLimit, true, true},
    {"lblRedlineLabel", "QLabel", kWindow, 7650, 2565, 1455, 255, "Redline:", "", kNoLimit, false,
     true},
    {"lblShiftPointLabel", "QLabel", kWindow, 7650, 2925, 1455, 255, "Shift Point:", "", kNoLimit,
     false, true},
    {"lblRolloutLengthLabel", "QLabel", kWindow, 7650, 3285, 1455, 255, "Rollout Length:", "",
     kNoLimit, false, true},
    {"lblPitchFactorLabel", "QLabel", kWindow, 7650, 3645, 1455, 255, "Pitch Factor:", "", kNoLimit,
     false, true},
    {"lblFrontalAreaLabel", "QLabel", kWindow, 7560, 2565, 1455, 255, "Frontal Area:", "", kNoLimit,
     true, true},
    {"lblCoeffOfDragLabel", "QLabel", kWindow, 7560, 2925, 1455, 255, "Coeff. of Drag:", "",
     kNoLimit, true, true},
    {"lblDrivelineLossLabel", "QLabel", kWindow, 7560, 3285, 1455, 255, "Driveline Loss:", "",
     kNoLimit, true, true},

    // Display labels.
    {"lblRunName", "quenloft::ClickLabel", kWindow, 9120, 1320, 2295, 285, "", kRunNameTip,
     kNoLimit, true, true},
    {"lblVehicleName", "quenloft::ClickLabel", kWindow, 9120, 1680, 2295, 285, "", kVehicleNameTip,
     kNoLimit, false, true},
    {"lblVehicleWeight", "quenloft::ClickLabel", kWindow, 9120, 2160, 2295, 285, "", kWeightTip,
     kNoLimit, true, true},
    {"lblVehicleRedline", "quenloft::ClickLabel", kWindow, 9120, 2520, 2295, 285, "", kRedlineTip,
     kNoLimit, false, true},
    {"lblVehicleShiftPoint", "quenloft::ClickLabel", kWindow, 9120, 2880, 2295, 285, "", kShiftTip,
     kNoLimit, false, true},
    {"lblVehicleRolloutLength", "quenloft::ClickLabel", kWindow, 9120, 3240, 2295, 285, "",
     kRolloutTip, kNoLimit, false, true},
    {"lblPitchFactor", "quenloft::ClickLabel", kWindow, 9120, 3600, 2295, 285, "", kPitchTip,
     kNoLimit, false, true},
    {"lblVehicleFrontalArea", "quenloft::ClickLabel", kWindow, 9120, 2520, 2295, 285, "", kAreaTip,
     kNoLimit, true, true},
    {"lblVehicleCoeffOfDrag", "quenloft::ClickLabel", kWindow, 9120, 2880, 2295, 285, "", kDragTip,
     kNoLimit, true, true},
    {"lblVehicleDrivelineLoss", "quenloft::ClickLabel", kWindow, 9120, 3240, 2295, 285, "",
     kLossTip, kNoLimit, true, true},

    // Field editors: hidden and disabled at creation.
    {"txtRunName", "quenloft::FieldEditor", kWindow, 9120, 1320, 2295, 285, "", kRunNameTip, 47,
     false, false},
    {"txtVehicleName", "quenloft::FieldEditor", kWindow, 9120, 1680, 2295, 285, "", kVehicleNameTip,
     15, false, false},
    {"txtVehicleWeight", "quenloft::FieldEditor", kWindow, 9120, 2160, 2295, 285, "", kWeightTip, 6,
     false, false},
    {"txtVehicleRedline", "quenloft::FieldEditor", kWindow, 9120, 2520, 2295, 285, "", kRedlineTip,
     5, false, false},
    {"txtVehicleShiftPoint", "quenloft::FieldEditor", kWindow, 9120, 2880, 2295, 285, "", kShiftTip,
     5, false, false},
    {"txtVehicleRolloutLength", "quenloft::FieldEditor", kWindow, 9120, 3240, 2295, 285, "",
     kRolloutTip, 4, false, false},
    {"txtPitchFactor", "quenloft::FieldEditor", kWindow, 9120, 3600, 2295, 285, "", kPitchTip, 3,
     false, false},
    {"txtVehicleFrontalArea", "quenloft::FieldEditor", kWindow, 9120, 2520, 2295, 285, "", kAreaTip,
     7, false, false},
    {"txtVehicleCoeffOfDrag", "quenloft::FieldEditor", kWindow, 9120, 2880, 2295, 285, "", kDragTip,
     4, false, false},
    {"txtVehicleDrivelineLoss", "quenloft::FieldEditor", kWindow, 9120, 3240, 2295, 285, "",
     kLossTip, 2, false, false},

    // Notes, commands, status and links.
    {"lblVehicleNotes", "QLabel", kWindow, 6000, 4920, 1455, 255, "Vehicle Notes:", "", kNoLimit,
     true, true},
    {"txtVehicleNotes", "QPlainTextEdit", kWindow, 7560, 4920, 3975, 1845, "", "", kNoLimit, true,
     true},
    {"cmdEdit", "QPushButton", kWindow, 7920, 4200, 1215, 375, "&Edit Data",
     "Edit the displayed vehicle data.", kNoLimit, true, false},
    {"cmdUndo", "QPushButton", kWindow, 9120, 4200, 1215, 375, "&Undo",
     "Undo changes to the vehicle data (reloads).", kNoLimit, true, false},
    {"cmdSave", "QPushButton", kWindow, 10320, 4200, 1215, 375, "&Save Data",
     "Save changes to the vehicle data.  The file cannot be open in VEXA since it will be "
     "locked.",
     kNoLimit, true, false},
    {"lblRecordsRead", "QLabel", kWindow, 7560, 4680, 3975, 255, "0 record(s) read.", "", kNoLimit,
     false, true},
    {"lblVEXAVersion", "QLabel", kWindow, 7560, 1125, 3855, 255, "", "", kNoLimit, true, true},
    {"lblUnits", "quenloft::ClickLabel", kWindow, 5715, 6480, 1770, 240, "Imperial Units", "",
     kNoLimit, false, true},
    {"lblAbout", "quenloft::ClickLabel", kWindow, 5715, 6960, 1770, 240, "",
     "Click to go to the Quenloft website.", kNoLimit, true, true},
    {"lblVersionHistory", "quenloft::ClickLabel", kWindow, 8160, 6960, 1320, 240,
     "  Version history  ", "Click to display the version history.", kNoLimit, true, true},
    {"lblHalvorn", "quenloft::ClickLabel", kWindow, 9840, 6810, 1695, 420, "", kMakerTip, kNoLimit,
     true, true},
    {"lblHalvornCopyright", "quenloft::ClickLabel", kWindow, 120, 0, 7215, 255, nullptr, kMakerTip,
     kNoLimit, true, true},
    {"imageNox", "QLabel", kWindow, 11400, 7080, 11700, 7500, nullptr, "", kNoLimit, false, true},
    {"imageSolvane", "QLabel", kWindow, 11640, 120, 11700, 7500, nullptr, "", kNoLimit, false,
     true},
};

int px(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

QString shownText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        return label->text();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        return button->text();
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget)) {
        return frame->title();
    }
    if (const auto *editor = qobject_cast<const QLineEdit *>(widget)) {
        return editor->text();
    }
    if (const auto *notes = qobject_cast<const QPlainTextEdit *>(widget)) {
        return notes->toPlainText();
    }
    return {};
}

class ControlSetTest : public testing::TestWithParam<ControlCase>
{
protected:
    void SetUp() override
    {
        ASSERT_DOUBLE_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchX(), 96.0)
            << "the expected pixel places are those of 96 DPI";
        window = std::make_unique<frmMain>();
    }

    std::unique_ptr<frmMain> window;
};

TEST_P(ControlSetTest, IsBuiltAsDesigned)
{
    const ControlCase &c = GetParam();
    auto *widget = window->findChild<QWidget *>(QString::fromLatin1(c.name));
    ASSERT_NE(widget, nullptr);

    EXPECT_TRUE(widget->inherits(c.kind)) << widget->metaObject()->className();
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), c.container);
    EXPECT_EQ(widget->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height)));
    if (c.text != nullptr) {
        EXPECT_EQ(shownText(widget).toStdString(), c.text);
    }
    EXPECT_EQ(widget->toolTip().toStdString(), c.toolTip);
    if (c.maxLength != kNoLimit) {
        auto *editor = qobject_cast<quenloft::FieldEditor *>(widget);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->typingLimit(), c.maxLength);
    }
    EXPECT_EQ(!widget->isHidden(), c.shown);
    EXPECT_EQ(widget->isEnabled(), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(EveryControl, ControlSetTest, testing::ValuesIn(kControls),
                         [](const testing::TestParamInfo<ControlCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(ControlSet, TableNamesEveryNamedWidgetOfTheWindow)
{
    frmMain window;
    QStringList expected;
    for (const ControlCase &c : kControls) {
        expected.append(QString::fromLatin1(c.name));
    }
    // Widgets of the window with a design name; Qt's own inner parts have none or "qt_".
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || widget->isWindow()) {
            continue;
        }
        EXPECT_TRUE(expected.contains(name)) << name.toStdString() << " is not in the table";
    }
}

TEST(ControlSet, WindowHasTheDesignedClientSizeTitleAndClass)
{
    frmMain window;
    EXPECT_STREQ(window.metaObject()->className(), "quenloft::frmMain");
    EXPECT_EQ(window.objectName(), QStringLiteral("frmMain"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quenloft"));
    EXPECT_EQ(window.size(), QSize(778, 489));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the layout is for one size";
    EXPECT_FALSE(window.windowIcon().isNull());
}

} // namespace
