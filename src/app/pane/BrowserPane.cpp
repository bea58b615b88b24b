#include "app/pane/BrowserPane.h"

#include "app/look/Appearance.h"
#include "app/look/ControlBuilders.h"
#include "app/pane/PaneFrame.h"
#include "browser/lists/DirListBox.h"
#include "browser/lists/DriveListBox.h"
#include "browser/lists/FileListBox.h"
#include "support/NativeFolder.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace quenloft {
namespace {

constexpr int kPaneCollapsedTwips = 605;
constexpr int kPaneOpenTwips = 6975;

// Key codes HandleFileKeys acts on (the Windows virtual-key numbers).
constexpr qint16 kKeyDelete = 46;
constexpr qint16 kKeyF2 = 113;
constexpr qint16 kKeyF5 = 116;

QString unreadableFolderMessage(const QString &folder)
{
    return QStringLiteral("There was an error reading the [") + QDir::toNativeSeparators(folder) +
           QStringLiteral("] directory!");
}

} // namespace

BrowserPane::BrowserPane(QWidget *window, std::function<Prompter &()> prompter,
                         std::function<bool()> showSelected)
    : QObject(window), m_window(window), m_prompter(std::move(prompter)),
      m_showSelected(std::move(showSelected))
{
    build(window);
    buildMenu(window);
    wire();
}

void BrowserPane::build(QWidget *window)
{
    using namespace controls;

    m_frame = new PaneFrame(window);
    m_frame->setObjectName(QStringLiteral("frameVEXAFile"));
    m_frame->setTitle(QStringLiteral("Mouse over to select your Kivra VEXA file (*.KVP)"));
    QPalette framePalette = m_frame->palette();
    framePalette.setColor(QPalette::Window, appearance::panelGrey());
    // Styles take the title colour from either role.
    framePalette.setColor(QPalette::WindowText, appearance::frameCaption());
    framePalette.setColor(QPalette::Text, appearance::frameCaption());
    m_frame->setPalette(framePalette);
    m_frame->setAutoFillBackground(true);
    m_frame->setGeometryTwips(120, 240, 5535, 6975);

    m_drives = new DriveListBox(m_frame);
    m_drives->setObjectName(QStringLiteral("driveKVP"));
    m_drives->setToolTip(QStringLiteral("Select the drive to look for KVP files in."));
    // Used where screen readers name a combo box by its label, not by its current item;
    // the tool tip describes it everywhere.
    m_drives->setAccessibleName(QStringLiteral("Drive"));
    paintInput(m_drives);
    placeTwips(m_drives, 120, 240, 5295, 315);

    m_directories = new DirListBox(m_frame);
    m_directories->setObjectName(QStringLiteral("dirKVP"));
    m_directories->setToolTip(
        QStringLiteral("Double-click to select a directory to display KVP files in."));
    // Screen readers do not take a list's description from its tool tip.
    m_directories->setAccessibleName(QStringLiteral("Directory"));
    m_directories->setAccessibleDescription(m_directories->toolTip());
    paintInput(m_directories);
    placeTwips(m_directories, 120, 600, 5295, 3015);

    m_files = new FileListBox(m_frame);
    m_files->setObjectName(QStringLiteral("fileKVP"));
    m_files->setPattern(QStringLiteral("*.kvp;*.kvs"));
    m_files->setAccessibleName(QStringLiteral("Run files"));
    m_files->setAccessibleDescription(
        QStringLiteral("The KVP and KVS files of the directory. Selecting one shows its vehicle "
                       "data; Delete deletes it, F2 renames it and F5 refreshes the lists."));
    paintInput(m_files);
    placeTwips(m_files, 120, 3600, 5295, 3015);

    m_hints = makeLabel<QLabel>(m_frame, "lblFileHints", 120, 6645, 4815, 255);
    m_hints->setText(
        QStringLiteral("Select a file and then right-click for context-specific commands."));
    m_hints->setFont(appearance::italicArialFont());
    setForeground(m_hints, appearance::textBlue());

    m_pin = new QPushButton(QStringLiteral("Pin"), m_frame);
    m_pin->setObjectName(QStringLiteral("chkPin"));
    m_pin->setCheckable(true);
    m_pin->setToolTip(QStringLiteral("Toggles whether the file browser is pinned open or not."));
    QPalette pinPalette = m_pin->palette();
    pinPalette.setColor(QPalette::Button, appearance::panelGrey());
    m_pin->setPalette(pinPalette);
    placeTwips(m_pin, 5040, 6650, 375, 255);
}

void BrowserPane::buildMenu(QWidget *window)
{
    m_menu = new QMenu(QStringLiteral("File Popup Menu"), window);
    m_menu->setObjectName(QStringLiteral("mnuFilePopup"));
    auto addItem = [this](const char *name, const char *caption, bool enabled) {
        QAction *action = m_menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        return action;
    };
    auto addSeparator = [this](const char *name) {
        m_menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    m_edit = addItem("mnuFilePopupEdit", "&Edit", false);
    m_delete = addItem("mnuFilePopupDelete", "&Delete (DEL)", false);
    m_rename = addItem("mnuFilePopupRename", "Re&name (F2)", false);
    addSeparator("mnuFilePopupSeparator1");
    m_refresh = addItem("mnuFilePopupRefresh", "&Refresh Directory Tree (F5)", true);
    addSeparator("mnuFilePopupSeparator2");
    m_open = addItem("mnuFilePopupOpen", "&Open File", false);
    // About the whole folder, so it needs no selected file.
    addSeparator("mnuFilePopupSeparator3");
    m_summary = addItem("mnuFilePopupSummary", "Folder &Summary...", true);
}

void BrowserPane::wire()
{
    connect(m_drives, &DriveListBox::changed, this, &BrowserPane::driveKVP_Change);
    connect(m_directories, &DirListBox::changed, this, &BrowserPane::dirKVP_Change);
    connect(m_directories, &DirListBox::enterFailed, this,
            [this](const QString &path) { dirKVP_EnterFailed(path); });
    connect(m_files, &FileListBox::fileClicked, this, &BrowserPane::fileKVP_Click);
    connect(m_files, &FileListBox::fileDoubleClicked, this, &BrowserPane::fileKVP_DblClick);
    connect(m_files, &FileListBox::mouseReleased, this, &BrowserPane::fileKVP_MouseUp);
    connect(m_files, &FileListBox::keyboardMenuRequested, this,
            [this](QPoint globalPos) { fileKVP_MouseUp(Qt::RightButton, globalPos); });
    // The lists are reached with Tab or a click while the pane is rolled up too: it rolls
    // down for them, so nothing is chosen blind, and up again when the focus goes.
    for (QWidget *list : {static_cast<QWidget *>(m_drives), static_cast<QWidget *>(m_directories),
                          static_cast<QWidget *>(m_files)})
        list->installEventFilter(this);
    connect(m_frame, &PaneFrame::mouseMoved, this, &BrowserPane::frameVEXAFile_MouseMove);
    // Toggled, not clicked: a value set in code counts as a click when it changes.
    connect(m_pin, &QPushButton::toggled, this, &BrowserPane::focusFileListIfShown);

    const auto listKey = [this](int qtKey) { HandleFileKeys(fileKeyCode(qtKey), 0); };
    connect(m_drives, &DriveListBox::keyReleased, this, listKey);
    connect(m_directories, &DirListBox::keyReleased, this, listKey);
    connect(m_files, &FileListBox::keyReleased, this, listKey);

    connect(m_open, &QAction::triggered, this, &BrowserPane::mnuFilePopupOpen_Click);
    connect(m_edit, &QAction::triggered, this, &BrowserPane::editRequested);
    connect(m_delete, &QAction::triggered, this, &BrowserPane::DeleteSelectedFile);
    connect(m_rename, &QAction::triggered, this, &BrowserPane::RenameSelectedFile);
    connect(m_refresh, &QAction::triggered, this, &BrowserPane::RefreshFiles);
    connect(m_summary, &QAction::triggered, this, &BrowserPane::folderSummaryRequested);
}

qint16 BrowserPane::fileKeyCode(int qtKey)
{
    // Only the three file keys are translated; every other key becomes 0, which does
    // nothing. Passing Qt's code through would not do: Qt::Key_Period is 46 as well.
    switch (qtKey) {
    case Qt::Key_Delete:
        return kKeyDelete;
    case Qt::Key_F2:
        return kKeyF2;
    case Qt::Key_F5:
        return kKeyF5;
    default:
        return 0;
    }
}

QString BrowserPane::selectedPath() const
{
    const QString name = m_files->fileName();
    // The list's path, the system's separator and the name: "C:\Runs\day1.kvp" on Windows.
    return name.isEmpty() ? QString() : JoinPath(m_files->path(), name);
}

bool BrowserPane::pinned() const
{
    return m_pin->isChecked();
}

void BrowserPane::collapse()
{
    if (!pinned() && m_frame->frameHeightTwips() > kPaneCollapsedTwips)
        m_frame->setFrameHeightTwips(kPaneCollapsedTwips);
}

bool BrowserPane::showFolder(const QString &folder)
{
    if (!DirListBox::checkReadable(folder)) {
        dirKVP_EnterFailed(folder);
        return false;
    }
    // As start-up restores the last directory: each assignment runs the list's change
    // event, so the lists below it follow.
    (void)m_drives->setDrive(folder);
    if (!m_directories->setPath(folder)) {
        dirKVP_EnterFailed(folder);
        return false;
    }
    // The directory list was there already but the file list was not.
    if (m_files->path() != m_directories->path())
        dirKVP_Change();
    return m_files->path() == m_directories->path();
}

void BrowserPane::RefreshFiles()
{
    m_drives->refresh();
    // A directory that has gone since it was listed is reported like one that cannot be
    // entered, so the lists never keep showing entries that are not there.
    if (!m_directories->refresh())
        reportUnreadableDirectory(BrowseTarget::Directories);
    if (!m_files->refresh())
        reportUnreadableDirectory(BrowseTarget::Files);
}

bool BrowserPane::eventFilter(QObject *watched, QEvent *event)
{
    // Only the user's own moves count: Tab, Shift+Tab, a click or an access key. The
    // window becoming active or a control given the focus by the program changes nothing.
    const auto byUser = [](const QEvent *e) {
        const Qt::FocusReason reason = static_cast<const QFocusEvent *>(e)->reason();
        return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
               reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
    };
    if (event->type() == QEvent::FocusIn && byUser(event)) {
        ShowHideFileBrowser(0);
    } else if (event->type() == QEvent::FocusOut && byUser(event)) {
        const QWidget *next = QApplication::focusWidget();
        if (next == nullptr || !m_frame->isAncestorOf(next))
            collapse();
    }
    return QObject::eventFilter(watched, event);
}

void BrowserPane::driveKVP_Change()
{
    if (!m_mayLeave(QString())) {
        // Back to the drive of the folder still listed, without another change event.
        const QSignalBlocker quiet(m_drives);
        (void)m_drives->setDrive(m_directories->path());
        return;
    }
    m_shownName.clear();
    emit folderChanging();
    if (!m_directories->setPath(m_drives->drive()))
        reportUnreadableDirectory(BrowseTarget::Directories);
    if (!m_directories->refresh())
        reportUnreadableDirectory(BrowseTarget::Directories);
}

void BrowserPane::dirKVP_Change()
{
    if (m_directories->path() != m_files->path() && !m_mayLeave(QString())) {
        const QSignalBlocker quiet(m_directories);
        (void)m_directories->setPath(m_files->path());
        return;
    }
    m_shownName.clear();
    emit folderChanging();
    // A path that was set has just been read, and reading a large folder again at once
    // would double the wait; only a failed one leaves the old list to be read again.
    if (m_files->setPath(m_directories->path()))
        return;
    reportUnreadableDirectory(BrowseTarget::Files);
    if (!m_files->refresh())
        reportUnreadableDirectory(BrowseTarget::Files);
}

void BrowserPane::reportUnreadableDirectory(BrowseTarget target)
{
    // The list still holds the path it had before the failed step.
    const QString held =
        target == BrowseTarget::Directories ? m_directories->path() : m_files->path();
    m_prompter().message(m_window, unreadableFolderMessage(held), PromptIcon::Exclamation);
    // The program's own directory is the one place that can be relied on. Setting the
    // directory list's path runs its change event, so the file list follows.
    const QString fallback = QCoreApplication::applicationDirPath();
    if (target == BrowseTarget::Directories)
        (void)m_directories->setPath(fallback);
    else
        (void)m_files->setPath(fallback);
}

void BrowserPane::dirKVP_EnterFailed(const QString &path)
{
    // The list refused to enter the directory and still shows the one before, which the
    // file list shows too: nothing needs to move, the user only needs to know.
    m_prompter().message(m_window, unreadableFolderMessage(path), PromptIcon::Exclamation);
}

void BrowserPane::fileKVP_Click()
{
    const QString fileName = m_files->fileName();
    m_files->setToolTip(fileName);
    if (fileName.isEmpty()) {
        // The selection was cleared: there is nothing to load and nothing to act on.
        setFileCommandsEnabled(false);
        return;
    }
    if (m_restoringSelection)
        return;
    if (!m_mayLeave(QString())) {
        // The file shown stays, and so does its selection: put back once the list has
        // finished with the click or key that moved it.
        QTimer::singleShot(0, this, [this] {
            m_restoringSelection = true;
            (void)m_files->setFileName(m_shownName);
            m_restoringSelection = false;
            m_files->setToolTip(m_shownName);
        });
        return;
    }
    const bool loaded = m_showSelected();
    // A long load lets events run: a file chosen meanwhile has set the commands for
    // itself, and this older result is not its.
    if (m_files->fileName() != fileName)
        return;
    setFileCommandsEnabled(loaded);
    if (loaded)
        m_shownName = fileName;
}

void BrowserPane::fileKVP_DblClick()
{
    // Editing needs a loaded file; a file the loader rejected leaves nothing to edit.
    if (m_edit->isEnabled())
        emit editRequested();
}

void BrowserPane::fileKVP_MouseUp(Qt::MouseButton button, QPoint globalPos)
{
    if (m_files->fileName().isEmpty())
        setFileCommandsEnabled(false);
    if (button == Qt::RightButton)
        m_menu->popup(globalPos);
}

void BrowserPane::setFileCommandsEnabled(bool enabled)
{
    for (QAction *item : {m_open, m_edit, m_delete, m_rename})
        item->setEnabled(enabled);
}

void BrowserPane::focusFileListIfShown()
{
    if (m_window->isVisible() && m_files->isVisible())
        m_files->setFocus(Qt::OtherFocusReason);
}

void BrowserPane::ShowHideFileBrowser(int X)
{
    if (pinned())
        return;
    const int rightEdge = m_frame->frameLeftTwips() + m_frame->frameWidthTwips();
    if (rightEdge > X) {
        if (m_frame->frameHeightTwips() >= kPaneOpenTwips)
            return;
        m_frame->setFrameHeightTwips(kPaneOpenTwips);
        focusFileListIfShown();
    } else if (m_frame->frameHeightTwips() > kPaneCollapsedTwips) {
        m_frame->setFrameHeightTwips(kPaneCollapsedTwips);
    }
}

void BrowserPane::frameVEXAFile_MouseMove()
{
    if (!pinned() && m_frame->frameHeightTwips() < kPaneOpenTwips)
        m_frame->setFrameHeightTwips(kPaneOpenTwips);
}

void BrowserPane::HandleFileKeys(qint16 KeyCode, qint16 Shift)
{
    Q_UNUSED(Shift);
    switch (KeyCode) {
    case kKeyDelete:
        if (m_edit->isEnabled())
            DeleteSelectedFile();
        break;
    case kKeyF2:
        if (m_edit->isEnabled())
            RenameSelectedFile();
        break;
    case kKeyF5:
        RefreshFiles();
        break;
    default:
        break;
    }
}

} // namespace quenloft
