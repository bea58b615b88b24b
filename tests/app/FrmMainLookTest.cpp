// Fonts, colours, alignment, borders and the pictures of the window's controls.
#include "WindowControls.h"
#include "app/window/frmMain.h"

#include "app/look/Appearance.h"
#include "browser/lists/DriveListBox.h"
#include "browser/lists/FileListBox.h"
#include "fixtures/QtPrinters.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenu>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

#include <cmath>

using quenloft::frmMain;
using quenloft::testing::WindowControls;

namespace {

const QColor kGrey(222, 222, 222);
const QColor kBlue(0, 0, 255);

enum class Face { BoldSans, ItalicArial, BoldItalicArial };

struct FontCase
{
    const char *name;
    Face face;
};

const FontCase kFonts[] = {
    {"lblRunNameLabel", Face::BoldSans},
    {"lblDrivelineLossLabel", Face::BoldSans},
    {"lblPitchFactorLabel", Face::BoldSans},
    {"lblRunName", Face::BoldSans},
    {"lblVehicleFrontalArea", Face::BoldSans},
    {"txtRunName", Face::BoldSans},
    {"txtVehicleDrivelineLoss", Face::BoldSans},
    {"lblVehicleNotes", Face::BoldSans},
    {"lblRecordsRead", Face::BoldSans},
    {"lblHalvornCopyright", Face::BoldSans},
    {"lblFileHints", Face::ItalicArial},
    {"lblUnits", Face::ItalicArial},
    {"lblAbout", Face::ItalicArial},
    {"lblVersionHistory", Face::ItalicArial},
    {"lblVEXAVersion", Face::BoldItalicArial},
};

class FontTest : public testing::TestWithParam<FontCase>
{
};

TEST_P(FontTest, UsesItsDesignedFace)
{
    frmMain window;
    const auto *widget = window.findChild<QWidget *>(QString::fromLatin1(GetParam().name));
    ASSERT_NE(widget, nullptr);
    const QFont font = widget->font();
    const Face face = GetParam().face;
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_EQ(font.bold(), face != Face::ItalicArial);
    EXPECT_EQ(font.italic(), face != Face::BoldSans);
#ifdef Q_OS_WIN
    // The faces themselves: the classic dialog sans serif (or its TrueType successor, or
    // Arial, which has its widths) and Arial.
    const QStringList designed =
        face == Face::ItalicArial
            ? QStringList{QStringLiteral("Arial")}
            : QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                          QStringLiteral("Arial")};
    EXPECT_TRUE(designed.contains(font.families().value(0)))
        << font.families().value(0).toStdString();
#else
    // Both faces are measured with the one family that has Arial's metrics.
    EXPECT_EQ(font.families().value(0), QString::fromLatin1(quenloft::appearance::kMetricFamily));
#endif
    // The layout was measured for whole-pixel advances without kerning: a text is as wide
    // as its letters side by side, in whole pixels.
    const QString pairs = QStringLiteral("AVATAR To Wa yv");
    const QFontMetricsF metrics(font);
    qreal letters = 0;
    for (const QChar letter : pairs)
        letters += metrics.horizontalAdvance(letter);
    EXPECT_EQ(metrics.horizontalAdvance(pairs), letters);
    EXPECT_EQ(letters, std::round(letters));
}

INSTANTIATE_TEST_SUITE_P(StatedFonts, FontTest, testing::ValuesIn(kFonts),
                         [](const testing::TestParamInfo<FontCase> &info) {
                             return std::string(info.param.name);
                         });

struct ColourCase
{
    const char *name;
    QPalette::ColorRole role;
    QColor colour;
};

const ColourCase kColours[] = {
    {"frmMain", QPalette::Window, kGrey},
    {"frameVEXAFile", QPalette::Window, kGrey},
    {"frameVEXAFile", QPalette::WindowText, QColor(64, 0, 64)},
    {"driveKVP", QPalette::Button, kGrey},
    {"driveKVP", QPalette::ButtonText, kBlue},
    {"driveKVP", QPalette::Base, kGrey},
    {"driveKVP", QPalette::Text, kBlue},
    {"dirKVP", QPalette::Base, kGrey},
    {"dirKVP", QPalette::Text, kBlue},
    {"fileKVP", QPalette::Base, kGrey},
    {"fileKVP", QPalette::Text, kBlue},
    {"chkPin", QPalette::Button, kGrey},
    {"lblFileHints", QPalette::WindowText, kBlue},
    {"lblRunNameLabel", QPalette::WindowText, kBlue},
    {"lblFrontalAreaLabel", QPalette::WindowText, kBlue},
    {"lblVehicleWeight", QPalette::WindowText, kBlue},
    {"txtVehicleWeight", QPalette::Base, kGrey},
    {"txtVehicleWeight", QPalette::Text, kBlue},
    {"txtVehicleNotes", QPalette::Base, kGrey},
    {"txtVehicleNotes", QPalette::Text, kBlue},
    {"lblVehicleNotes", QPalette::WindowText, kBlue},
    {"lblRecordsRead", QPalette::WindowText, kBlue},
    {"lblVEXAVersion", QPalette::WindowText, kBlue},
    {"lblUnits", QPalette::WindowText, kBlue},
    {"lblAbout", QPalette::WindowText, kBlue},
    {"lblVersionHistory", QPalette::WindowText, kBlue},
    {"lblHalvornCopyright", QPalette::WindowText, QColor(0, 128, 0)},
};

class ColourTest : public testing::TestWithParam<ColourCase>
{
};

TEST_P(ColourTest, HasItsDesignedColour)
{
    frmMain window;
    const QString name = QString::fromLatin1(GetParam().name);
    const QWidget *widget = name == QLatin1String("frmMain") ? static_cast<QWidget *>(&window)
                                                             : window.findChild<QWidget *>(name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->palette().color(GetParam().role), GetParam().colour)
        << widget->palette().color(GetParam().role).name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(DesignedColours, ColourTest, testing::ValuesIn(kColours),
                         [](const testing::TestParamInfo<ColourCase> &info) {
                             const char *role =
                                 QMetaEnum::fromType<QPalette::ColorRole>().valueToKey(
                                     info.param.role);
                             return std::string(info.param.name) + '_' + role;
                         });

struct LabelCase
{
    const char *name;
    Qt::Alignment horizontal;
    bool bordered;
};

const LabelCase kLabels[] = {
    {"lblRunNameLabel", Qt::AlignRight, false},
    {"lblVehicleWeightLabel", Qt::AlignRight, false},
    {"lblCoeffOfDragLabel", Qt::AlignRight, false},
    {"lblVehicleNotes", Qt::AlignRight, false},
    {"lblRecordsRead", Qt::AlignRight, false},
    {"lblVEXAVersion", Qt::AlignRight, false},
    {"lblRunName", Qt::AlignLeft, true},
    {"lblVehicleCoeffOfDrag", Qt::AlignLeft, true},
    {"lblUnits", Qt::AlignHCenter, true},
    {"lblAbout", Qt::AlignHCenter, true},
    {"lblVersionHistory", Qt::AlignLeft, true},
    {"lblHalvorn", Qt::AlignLeft, false},
    {"lblHalvornCopyright", Qt::AlignLeft, false},
    {"lblFileHints", Qt::AlignLeft, false},
};

class LabelTest : public testing::TestWithParam<LabelCase>
{
};

TEST_P(LabelTest, IsAlignedBorderedAndTransparent)
{
    frmMain window;
    const auto *label = window.findChild<QLabel *>(QString::fromLatin1(GetParam().name));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, GetParam().horizontal);
    EXPECT_EQ(label->frameShape() != QFrame::NoFrame, GetParam().bordered);
    EXPECT_FALSE(label->autoFillBackground()) << "the window's picture must show through";
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelTest, testing::ValuesIn(kLabels),
                         [](const testing::TestParamInfo<LabelCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(WindowLook, NotesBoxScrollsVerticallyAndStartsLocked)
{
    frmMain window;
    const WindowControls ui(window);
    QPlainTextEdit *notes = ui.txtVehicleNotes;
    EXPECT_EQ(notes->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(notes->tabChangesFocus());
    EXPECT_TRUE(notes->isReadOnly()) << "no file is shown yet";
}

TEST(WindowLook, DriveListIsDrawnFlatLikeTheOtherLists)
{
    frmMain window;
    const WindowControls ui(window);
    QComboBox *drive = ui.driveKVP;
    const QImage face = drive->grab().toImage();
    QStyleOptionComboBox option;
    option.initFrom(drive);
    const QRect arrow = drive->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxArrow, drive);
    // Between the drive's name and the arrow, from just inside the top border to just
    // inside the bottom one: one grey, where a button face would shade.
    const int x = arrow.left() - 4;
    for (int y = 2; y < face.height() - 2; ++y)
        EXPECT_EQ(face.pixelColor(x, y).name().toStdString(), "#dedede") << "row " << y;
    // The name itself is drawn in blue.
    bool blue = false;
    for (int px = 0; px < x && !blue; ++px)
        for (int y = 0; y < face.height() && !blue; ++y) {
            const QColor c = face.pixelColor(px, y);
            blue = c.blue() - c.red() > 100 && c.blue() - c.green() > 100;
        }
    EXPECT_TRUE(blue) << drive->currentText().toStdString();
}

TEST(WindowLook, PinIsAToggleButtonThatStartsUp)
{
    frmMain window;
    const WindowControls ui(window);
    EXPECT_TRUE(ui.chkPin->isCheckable());
    EXPECT_FALSE(ui.chkPin->isChecked());
}

TEST(WindowLook, FileListUsesTheRunFilePattern)
{
    frmMain window;
    const WindowControls ui(window);
    EXPECT_EQ(ui.fileKVP->pattern(), QStringLiteral("*.kvp;*.kvs"));
}

// The holders draw the committed pictures pixel for pixel, and what the program stores is
// a bitmap the ordinary image readers read alike.
TEST(WindowPictures, ImageHoldersCarryTheCommittedDevicePictures)
{
    frmMain window;
    const WindowControls ui(window);
    const struct
    {
        const char *model;
        const QLabel *holder;
    } pictures[] = {{"nox", ui.imageNox}, {"solvane", ui.imageSolvane}};
    for (const auto &picture : pictures) {
        SCOPED_TRACE(picture.model);
        const QString model = QString::fromLatin1(picture.model);
        const QImage committed =
            QImage(QStringLiteral(QUENLOFT_SOURCE_DIR "/src/app/resources/%1.png").arg(model))
                .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(committed.size(), QSize(780, 500));
        EXPECT_EQ(picture.holder->pixmap().toImage(), committed);
        EXPECT_EQ(QImage(QStringLiteral(":/images/%1.bmp").arg(model))
                      .convertToFormat(QImage::Format_RGB32),
                  committed);
    }
}

TEST(WindowPictures, WindowStartsWithTheSolvanePicture)
{
    frmMain window;
    const WindowControls ui(window);
    EXPECT_EQ(window.backgroundPicture().toImage(), ui.imageSolvane->pixmap().toImage());
}

TEST(WindowPictures, PictureShowsThroughTheLabelsAtTheLogoHotSpot)
{
    frmMain window;
    const WindowControls ui(window);
    const QImage shown = window.grab().toImage();
    const QImage picture = ui.imageSolvane->pixmap().toImage();
    // Inside lblHalvorn (656..769, 454..482) and inside the empty bordered lblAbout.
    for (const QPoint at : {QPoint(700, 468), QPoint(740, 462), QPoint(440, 472)}) {
        EXPECT_EQ(shown.pixelColor(at), picture.pixelColor(at)) << at.x() << "," << at.y();
    }
}

TEST(WindowPictures, WindowIconIsThirtyTwoPixels)
{
    frmMain window; // registers the resources
    const QImage loaded(QStringLiteral(":/images/quenloft.png"));
    EXPECT_EQ(loaded.size(), QSize(32, 32));
    EXPECT_LE(loaded.colorCount(), 16);
}

} // namespace
