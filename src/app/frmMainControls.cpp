// Builds every control of the window with its design-time name, place, captions, tool
// tips, fonts, colours and state. No behaviour is attached here.
#include "app/frmMain.h"

#include "app/AccessibleField.h"
#include "app/Appearance.h"
#include "app/ClickLabel.h"
#include "app/FieldEditor.h"
#include "app/PaneFrame.h"
#include "app/Twips.h"
#include "browser/pane/DirListBox.h"
#include "browser/pane/DriveListBox.h"
#include "browser/pane/FileListBox.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <array>

namespace ap = quenloft::appearance;
using quenloft::ClickLabel;
using quenloft::FieldEditor;

namespace {

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(quenloft::twips::rectFromTwips(left, top, width, height));
}

// Colours of the grey-on-blue inputs: lists, the drive box, editors and the notes box.
void paintInput(QWidget *widget)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
        palette.setColor(role, ap::panelGrey());
    }
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
        palette.setColor(role, ap::textBlue());
    }
    widget->setPalette(palette);
}

void setForeground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Labels draw no background of their own, so the window's picture shows through.
template <typename Label>
Label *makeLabel(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *label = new Label(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAutoFillBackground(false);
    placeTwips(label, left, top, width, height);
    return label;
}

void giveSingleBorder(QLabel *label)
{
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
}

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

constexpr int kCaptionWidth = 1455;
constexpr int kCaptionHeight = 255;
constexpr int kCaptionDrop = 45; // caption text sits level with the text inside the border
constexpr int kValueLeft = 9120;
constexpr int kValueWidth = 2295;
constexpr int kValueHeight = 285;
// Where each row of the column starts; the first rows sit further apart.
constexpr std::array<int, 7> kRowTops = {1320, 1680, 2160, 2520, 2880, 3240, 3600};
// The captions of the Solvane-only fields are wider, so they start further left.
constexpr int kCaptionLeft = 7650;
constexpr int kSolvaneCaptionLeft = 7560;

} // namespace

void frmMain::createControls()
{
    createFileBrowser();
    createVehicleColumn();
    createNotesAndCommands();
    createStatusAndLinks();
    createImages();
    createPopupMenu();
    setFocusOrder();
}

void frmMain::createFileBrowser()
{
    m_frameVEXAFile = new quenloft::PaneFrame(this);
    m_frameVEXAFile->setObjectName(QStringLiteral("frameVEXAFile"));
    m_frameVEXAFile->setTitle(QStringLiteral("Mouse over to select your Kivra VEXA file (*.KVP)"));
    QPalette framePalette = m_frameVEXAFile->palette();
    framePalette.setColor(QPalette::Window, ap::panelGrey());
    // Styles take the title colour from either role.
    framePalette.setColor(QPalette::WindowText, ap::frameCaption());
    framePalette.setColor(QPalette::Text, ap::frameCaption());
    m_frameVEXAFile->setPalette(framePalette);
    m_frameVEXAFile->setAutoFillBackground(true);
    m_frameVEXAFile->setGeometryTwips(120, 240, 5535, 6975);

    m_driveKVP = new quenloft::DriveListBox(m_frameVEXAFile);
    m_driveKVP->setObjectName(QStringLiteral("driveKVP"));
    m_driveKVP->setToolTip(QStringLiteral("Select the drive to look for KVP files in."));
    // Used where screen readers name a combo box by its label, not by its current item;
    // the tool tip describes it everywhere.
    m_driveKVP->setAccessibleName(QStringLiteral("Drive"));
    paintInput(m_driveKVP);
    placeTwips(m_driveKVP, 120, 240, 5295, 315);

    m_dirKVP = new quenloft::DirListBox(m_frameVEXAFile);
    m_dirKVP->setObjectName(QStringLiteral("dirKVP"));
    m_dirKVP->setToolTip(
        QStringLiteral("Double-click to select a directory to display KVP files in."));
    // Screen readers do not take a list's description from its tool tip.
    m_dirKVP->setAccessibleName(QStringLiteral("Directory"));
    m_dirKVP->setAccessibleDescription(m_dirKVP->toolTip());
    paintInput(m_dirKVP);
    placeTwips(m_dirKVP, 120, 600, 5295, 3015);

    m_fileKVP = new quenloft::FileListBox(m_frameVEXAFile);
    m_fileKVP->setObjectName(QStringLiteral("fileKVP"));
    m_fileKVP->setPattern(QStringLiteral("*.kvp;*.kvs"));
    m_fileKVP->setAccessibleName(QStringLiteral("Run files"));
    m_fileKVP->setAccessibleDescription(
        QStringLiteral("The KVP and KVS files of the directory. Selecting one shows its vehicle "
                       "data; Delete deletes it, F2 renames it and F5 refreshes the lists."));
    paintInput(m_fileKVP);
    placeTwips(m_fileKVP, 120, 3600, 5295, 3015);

    m_lblFileHints = makeLabel<QLabel>(m_frameVEXAFile, "lblFileHints", 120, 6645, 4815, 255);
    m_lblFileHints->setText(
        QStringLiteral("Select a file and then right-click for context-specific commands."));
    m_lblFileHints->setFont(ap::italicArialFont());
    setForeground(m_lblFileHints, ap::textBlue());

    m_chkPin = new QPushButton(QStringLiteral("Pin"), m_frameVEXAFile);
    m_chkPin->setObjectName(QStringLiteral("chkPin"));
    m_chkPin->setCheckable(true);
    m_chkPin->setToolTip(QStringLiteral("Toggles whether the file browser is pinned open or not."));
    QPalette pinPalette = m_chkPin->palette();
    pinPalette.setColor(QPalette::Button, ap::panelGrey());
    m_chkPin->setPalette(pinPalette);
    placeTwips(m_chkPin, 5040, 6650, 375, 255);
}

void frmMain::createVehicleColumn()
{
    // The window is designed showing a Solvane file.
    using quenloft::FieldId;
    using quenloft::Model;
    for (const FieldId id : quenloft::columnFields()) {
        const quenloft::FieldInfo &field = quenloft::fieldInfo(id);
        const QString toolTip = QString::fromUtf8(field.toolTip);
        const int top = kRowTops.at(size_t(field.row));
        const bool shown = quenloft::includes(field.shownIn, Model::Solvane);
        const int captionLeft =
            field.shownIn == quenloft::Models::Solvane ? kSolvaneCaptionLeft : kCaptionLeft;

        QLabel *caption = makeLabel<QLabel>(this, field.captionName, captionLeft,
                                            top + kCaptionDrop, kCaptionWidth, kCaptionHeight);
        caption->setText(quenloft::captionOf(id, Model::Solvane));
        caption->setFont(ap::boldSansFont());
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        setForeground(caption, ap::textBlue());
        caption->setVisible(shown);

        ClickLabel *display = makeLabel<ClickLabel>(this, field.labelName, kValueLeft, top,
                                                    kValueWidth, kValueHeight);
        display->setFont(ap::boldSansFont());
        display->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        giveSingleBorder(display);
        setForeground(display, ap::textBlue());
        display->setToolTip(toolTip);
        display->setVisible(shown);

        auto *editor = new FieldEditor(this);
        editor->setObjectName(QString::fromLatin1(field.editorName));
        placeTwips(editor, kValueLeft, top, kValueWidth, kValueHeight);
        editor->setFont(ap::boldSansFont());
        paintInput(editor);
        editor->setTypingLimit(field.editorLimit);
        editor->setToolTip(toolTip);
        editor->setEnabled(false);
        editor->hide();

        quenloft::NameField(caption, display, editor);
        m_fieldWidgets.append({id, caption, display, editor});
    }
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
    m_imageNox->setPixmap(QPixmap(QStringLiteral(":/images/nox.png")));
    m_imageNox->hide();

    m_imageSolvane = makeLabel<QLabel>(this, "imageSolvane", 11640, 120, 11700, 7500);
    m_imageSolvane->setPixmap(QPixmap(QStringLiteral(":/images/solvane.png")));
    m_imageSolvane->hide();
}

void frmMain::createPopupMenu()
{
    m_mnuFilePopup = new QMenu(QStringLiteral("File Popup Menu"), this);
    m_mnuFilePopup->setObjectName(QStringLiteral("mnuFilePopup"));

    auto addItem = [this](const char *name, const char *caption, bool enabled) {
        QAction *action = m_mnuFilePopup->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        return action;
    };
    auto addSeparator = [this](const char *name) {
        m_mnuFilePopup->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    m_mnuFilePopupEdit = addItem("mnuFilePopupEdit", "&Edit", false);
    m_mnuFilePopupDelete = addItem("mnuFilePopupDelete", "&Delete (DEL)", false);
    m_mnuFilePopupRename = addItem("mnuFilePopupRename", "Re&name (F2)", false);
    addSeparator("mnuFilePopupSeparator1");
    m_mnuFilePopupRefresh = addItem("mnuFilePopupRefresh", "&Refresh Directory Tree (F5)", true);
    addSeparator("mnuFilePopupSeparator2");
    m_mnuFilePopupOpen = addItem("mnuFilePopupOpen", "&Open File", false);
}

void frmMain::setFocusOrder()
{
    QList<QWidget *> order = {m_cmdEdit, m_cmdUndo, m_cmdSave,        m_driveKVP,
                              m_dirKVP,  m_fileKVP, m_txtVehicleNotes};
    for (const FieldWidgets &f : m_fieldWidgets)
        order << f.label << f.editor; // a label takes the focus only in edit mode
    order.append(m_chkPin);
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));
}
