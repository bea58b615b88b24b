#include "app/window/frmMain.h"

#include "app/look/Appearance.h"
#include "app/look/OwnSurface.h"
#include "app/look/Twips.h"
#include "app/program/Desktop.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>

namespace quenloft {

namespace {

// The pictures are drawn for 96 DPI; at other densities they scale with the controls.
constexpr int kPictureWidthTwips = 11700;
constexpr int kPictureHeightTwips = 7500;
constexpr int kClientWidthTwips = 11670;
constexpr int kClientHeightTwips = 7335;

// Takes a drop as a copy (or a link), never as a move: a drag source removes the file it
// believes was moved here. False, and the drop is refused, when it offers neither.
bool TakeWithoutMoving(QDropEvent *event)
{
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event->possibleActions().testFlag(action)) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    }
    event->ignore();
    return false;
}

} // namespace

frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    m_title = QStringLiteral("Quenloft");
    setWindowTitle(m_title);
    setWindowIcon(ProgramIcon());
    setFont(appearance::windowFont());

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, appearance::panelGrey());
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(twips::toPixels(kClientWidthTwips), twips::toPixels(kClientHeightTwips));
    // The window keeps its designed size, so it offers no maximize.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setMouseTracking(true);
    setAcceptDrops(true);

    createControls();
    setBackgroundFromImage(m_imageSolvane);
    wireVehicleData();
    wireBrowser();
    connect(m_pane, &BrowserPane::folderSummaryRequested, this, &frmMain::openFolderSummary);
    // The window opens with no file shown; its controls take that state from the session,
    // so nothing (the notes box included) starts out unlocked.
    sessionChanged();
}

frmMain::~frmMain() = default;

void frmMain::setBackgroundFromImage(const QLabel *image)
{
    m_background = image->pixmap();
    update();
}

void frmMain::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_background.isNull()) {
        return;
    }
    const QRect picture(0, 0, twips::toPixels(kPictureWidthTwips),
                        twips::toPixels(kPictureHeightTwips));
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(picture, m_background);
}

void frmMain::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    // Qt hands the window movement over disabled controls too; only what no enabled
    // control covers is the window's own surface, where the pane follows the pointer.
    if (isOverOwnSurface(this, event->position().toPoint()))
        m_pane->ShowHideFileBrowser(twips::fromPixels(event->position().x()));
}

void frmMain::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        windowKeyReleased(event->key());
    QWidget::keyReleaseEvent(event);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Changes not yet saved are asked about first; Cancel keeps the window open.
    if (!mayLeaveShownFile()) {
        event->ignore();
        return;
    }
    m_session.cancel(); // a load still scanning gives up
    if (m_preferences)
        Form_Unload();
    event->accept();
}

QString frmMain::droppablePath(const QMimeData *data) const
{
    if (data == nullptr || !data->hasUrls())
        return QString();
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return isShowableFromOutside(path) ? path : QString();
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    // Refusing here is what turns the pointer into the no-drop cursor.
    if (droppablePath(event->mimeData()).isEmpty())
        event->ignore();
    else
        (void)TakeWithoutMoving(event);
}

void frmMain::dragMoveEvent(QDragMoveEvent *event)
{
    if (droppablePath(event->mimeData()).isEmpty())
        event->ignore();
    else
        (void)TakeWithoutMoving(event);
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QString path = droppablePath(event->mimeData());
    if (path.isEmpty() || !TakeWithoutMoving(event)) {
        event->ignore();
        return;
    }
    // The drag source waits until this returns; loading, and any message about the
    // file, come after it.
    QTimer::singleShot(0, this, [this, path] { showPathFromOutside(path); });
}

} // namespace quenloft
