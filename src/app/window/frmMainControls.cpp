// Builds every control of the window with its design-time name, place, captions, tool
// tips, fonts, colours and state. No behaviour is attached here.
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"
#include "app/look/Appearance.h"
#include "app/look/ControlBuilders.h"
#include "app/look/DevicePicture.h"
#include "browser/lists/DirListBox.h"
#include "browser/lists/DriveListBox.h"
#include "browser/lists/FileListBox.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quenloft {

namespace ap = appearance;

using namespace controls;

namespace {

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, const char *toolTip,
                        int left)
{
    auto *button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromUtf8(toolTip));
    placeTwips(button, left, 4200, 1215, 375);
    button->setEnabled(false);
    return button;
}

} // namespace

void frmMain::createControls()
{
    m_pane = new BrowserPane(
        this, [this]() -> Prompter & { return prompter(); }, [this] { return showSelectedFile(); });
    m_column = new FieldColumn(
        this, m_session, [this]() -> Prompter & { return prompter(); },
        [this] { return m_session.mode() == SessionMode::Editing; });
    createNotesAndCommands();
    createStatusAndLinks();
    createImages();
    setFocusOrder();
}

void frmMain::createNotesAndCommands()
{
    m_lblVehicleNotes = makeLabel<QLabel>(this, "lblVehicleNotes", 6000, 4920, 1455, 255);
    m_lblVehicleNotes->setText(QStringLiteral("Vehicle Notes:"));
    m_lblVehicleNotes->setFont(ap::boldSansFont());
    m_lblVehicleNotes->setAlignment(Qt::AlignRight | Qt::AlignTop);
    setForeground(m_lblVehicleNotes, ap::textBlue());

    m_txtVehicleNotes = new QPlainTextEdit(this);
    m_txtVehicleNotes->setObjectName(QStringLiteral("txtVehicleNotes"));
    placeTwips(m_txtVehicleNotes, 7560, 4920, 3975, 1845);
    m_txtVehicleNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtVehicleNotes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next control, as in every other box of the window.
    m_txtVehicleNotes->setTabChangesFocus(true);
    paintInput(m_txtVehicleNotes);
    m_lblVehicleNotes->setBuddy(m_txtVehicleNotes);
    m_txtVehicleNotes->setAccessibleName(QStringLiteral("Vehicle Notes"));
    m_txtVehicleNotes->setAccessibleDescription(
        QStringLiteral("The notes kept in the run file. They can be changed while a Nox file is "
                       "edited."));

    m_cmdEdit = makeButton(this, "cmdEdit", "&Edit Data", "Edit the displayed vehicle data.", 7920);
    m_cmdUndo =
        makeButton(this, "cmdUndo", "&Undo", "Undo changes to the vehicle data (reloads).", 9120);
    m_cmdSave = makeButton(this, "cmdSave", "&Save Data",
                           "Save changes to the vehicle data.  The file cannot be open in VEXA "
                           "since it will be locked.",
                           10320);
}

void frmMain::createStatusAndLinks()
{
    m_lblRecordsRead = makeLabel<QLabel>(this, "lblRecordsRead", 7560, 4680, 3975, 255);
    m_lblRecordsRead->setText(QStringLiteral("0 record(s) read."));
    m_lblRecordsRead->setFont(ap::boldSansFont());
    m_lblRecordsRead->setAlignment(Qt::AlignRight | Qt::AlignTop);
    setForeground(m_lblRecordsRead, ap::textBlue());
    m_lblRecordsRead->hide();

    m_lblVEXAVersion = makeLabel<QLabel>(this, "lblVEXAVersion", 7560, 1125, 3855, 255);
    m_lblVEXAVersion->setFont(ap::boldItalicArialFont());
    m_lblVEXAVersion->setAlignment(Qt::AlignRight | Qt::AlignTop);
    setForeground(m_lblVEXAVersion, ap::textBlue());

    m_lblUnits = makeLabel<ClickLabel>(this, "lblUnits", 5715, 6480, 1770, 240);
    m_lblUnits->setText(QStringLiteral("Imperial Units"));
    m_lblUnits->setFont(ap::italicArialFont());
    m_lblUnits->setAlignment(Qt::AlignCenter);
    giveSingleBorder(m_lblUnits);
    setForeground(m_lblUnits, ap::textBlue());
    m_lblUnits->hide();
    m_lblUnits->setAccessibleRole(QAccessible::Button);
    m_lblUnits->setAccessibleDescription(
        QStringLiteral("Switches the weight and frontal area between imperial and metric units."));

    m_lblAbout = makeLabel<ClickLabel>(this, "lblAbout", 5715, 6960, 1770, 240);
    m_lblAbout->setToolTip(QStringLiteral("Click to go to the Quenloft website."));
    m_lblAbout->setFont(ap::italicArialFont());
    m_lblAbout->setAlignment(Qt::AlignCenter);
    giveSingleBorder(m_lblAbout);
    setForeground(m_lblAbout, ap::textBlue());

    m_lblVersionHistory = makeLabel<ClickLabel>(this, "lblVersionHistory", 8160, 6960, 1320, 240);
    m_lblVersionHistory->setText(QStringLiteral("  Version history  "));
    m_lblVersionHistory->setToolTip(QStringLiteral("Click to display the version history."));
    m_lblVersionHistory->setFont(ap::italicArialFont());
    m_lblVersionHistory->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    giveSingleBorder(m_lblVersionHistory);
    setForeground(m_lblVersionHistory, ap::textBlue());

    const QString makerToolTip =
        QStringLiteral("Click here to go to Halvorn Electronics' website.");
    // An invisible hot spot over the maker's logo in the background picture.
    m_lblHalvorn = makeLabel<ClickLabel>(this, "lblHalvorn", 9840, 6810, 1695, 420);
    m_lblHalvorn->setToolTip(makerToolTip);

    m_lblHalvornCopyright = makeLabel<ClickLabel>(this, "lblHalvornCopyright", 120, 0, 7215, 255);
    m_lblHalvornCopyright->setText(QStringLiteral(
        "Kivra, VEXA, Nox and Solvane names and images \u00a9 Halvorn Electronics."));
    m_lblHalvornCopyright->setToolTip(makerToolTip);
    m_lblHalvornCopyright->setFont(ap::boldSansFont());
    m_lblHalvornCopyright->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setForeground(m_lblHalvornCopyright, ap::noticeGreen());

    for (ClickLabel *link :
         {m_lblAbout, m_lblVersionHistory, m_lblHalvorn, m_lblHalvornCopyright}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setAccessibleRole(QAccessible::Link);
    }
    // The tool tips speak of clicking; screen readers hear where a link goes.
    m_lblAbout->setAccessibleName(QStringLiteral("Quenloft website"));
    m_lblAbout->setAccessibleDescription(
        QStringLiteral("Opens the Quenloft website in your web browser."));
    m_lblVersionHistory->setAccessibleDescription(
        QStringLiteral("Opens the version history in your web browser."));
    m_lblHalvorn->setAccessibleName(QStringLiteral("Halvorn Electronics' website"));
    for (ClickLabel *link : {m_lblHalvorn, m_lblHalvornCopyright})
        link->setAccessibleDescription(
            QStringLiteral("Opens Halvorn Electronics' website in your web browser."));
}

void frmMain::createImages()
{
    // Out-of-view stores of the two model pictures; the window copies one into its
    // background.
    m_imageNox = makeLabel<QLabel>(this, "imageNox", 11400, 7080, 11700, 7500);
    m_imageNox->setPixmap(DevicePicture(QStringLiteral(":/images/nox.bmp")));
    m_imageNox->hide();

    m_imageSolvane = makeLabel<QLabel>(this, "imageSolvane", 11640, 120, 11700, 7500);
    m_imageSolvane->setPixmap(DevicePicture(QStringLiteral(":/images/solvane.bmp")));
    m_imageSolvane->hide();
}

void frmMain::setFocusOrder()
{
    QList<QWidget *> order = {
        m_cmdEdit,       m_cmdUndo,        m_cmdSave, m_pane->drives(), m_pane->directories(),
        m_pane->files(), m_txtVehicleNotes};
    for (const FieldColumn::Field &f : m_column->fields())
        order << f.label << f.editor; // a label takes the focus only in edit mode
    order.append(m_pane->pin());
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));
}

} // namespace quenloft
