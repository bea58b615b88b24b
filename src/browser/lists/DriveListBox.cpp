#include "browser/lists/DriveListBox.h"

#include "browser/FileSystemCalls.h"

#include <QDir>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStylePainter>

#include <utility>

namespace quenloft {
namespace {

constexpr int kPathRole = Qt::UserRole;

QString withTrailingSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    return path;
}

#ifndef Q_OS_WIN
bool isRemovableMountPoint(const QString &rootPath)
{
    static const QStringList prefixes = {QStringLiteral("/media/"), QStringLiteral("/run/media/"),
                                         QStringLiteral("/mnt/")};
    for (const QString &prefix : prefixes) {
        if (rootPath.startsWith(prefix)) {
            return true;
        }
    }
    return false;
}
#endif

// The text of a volume in the list. On Windows the classic drive list's: the drive letter in
// lower case, its colon and the volume label in brackets ("c: [SYSTEM]"), so its first two
// characters are the drive; elsewhere the path and the label.
QString volumeText(const DriveListBox::Volume &volume)
{
#ifdef Q_OS_WIN
    const QString drive = volume.path.left(2).toLower();
    return volume.label.isEmpty() ? drive : drive + QStringLiteral(" [") + volume.label + u']';
#else
    return volume.label.isEmpty() ? volume.path
                                  : volume.path + QStringLiteral("  [") + volume.label + u']';
#endif
}

Qt::CaseSensitivity pathCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

} // namespace

DriveListBox::DriveListBox(QWidget *parent) : QComboBox(parent), m_source(&systemVolumes)
{
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::onCurrentIndexChanged);
    // Starts on the drive of the process's current directory, as the classic list does.
    populate(QString());
    const int current =
        findData(driveContaining(drives(), QDir::currentPath()), kPathRole, Qt::MatchExactly);
    if (current >= 0) {
        m_populating = true;
        setCurrentIndex(current);
        m_populating = false;
    }
}

QList<DriveListBox::Volume> DriveListBox::systemVolumes()
{
    QList<Volume> volumes;
#ifdef Q_OS_WIN
    for (const fscalls::LogicalDrive &drive : fscalls::logicalDrives()) {
        volumes.append({drive.root, drive.label});
    }
#else
    volumes.append({QStringLiteral("/"), QString()});
    const QString home = QDir::homePath();
    if (home != QLatin1String("/")) {
        volumes.append({home, QStringLiteral("home")});
    }
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        if (storage.isValid() && storage.isReady() && isRemovableMountPoint(storage.rootPath())) {
            volumes.append({storage.rootPath(), storage.name()});
        }
    }
#endif
    return volumes;
}

QString DriveListBox::driveContaining(const QStringList &roots, const QString &path)
{
    if (path.isEmpty()) {
        return {};
    }
    const QString cleaned = withTrailingSlash(QDir::cleanPath(QDir::fromNativeSeparators(path)));
    QString best;
    qsizetype bestLength = -1;
    for (const QString &root : roots) {
        const QString prefix = withTrailingSlash(root);
        if (prefix.size() > bestLength && cleaned.startsWith(prefix, pathCase())) {
            best = root;
            bestLength = prefix.size();
        }
    }
    return best;
}

void DriveListBox::setVolumeSource(VolumeSource source)
{
    m_source = std::move(source);
    refresh();
}

QString DriveListBox::drive() const
{
    return currentData(kPathRole).toString();
}

bool DriveListBox::setDrive(const QString &path)
{
    const QString root = driveContaining(drives(), path);
    if (root.isEmpty()) {
        return false;
    }
    setCurrentIndex(findData(root, kPathRole, Qt::MatchExactly));
    return true;
}

QStringList DriveListBox::drives() const
{
    QStringList roots;
    for (int i = 0; i < count(); ++i) {
        roots.append(itemData(i, kPathRole).toString());
    }
    return roots;
}

void DriveListBox::refresh()
{
    const QString before = drive();
    populate(before);
    if (drive() != before) {
        emit changed();
    }
}

void DriveListBox::populate(const QString &keep)
{
    m_populating = true;
    clear();
    for (const Volume &volume : m_source()) {
        addItem(volumeText(volume), volume.path);
    }
    const int index = findData(keep, kPathRole, Qt::MatchExactly);
    setCurrentIndex(index >= 0 ? index : (count() > 0 ? 0 : -1));
    m_populating = false;
}

void DriveListBox::onCurrentIndexChanged()
{
    if (!m_populating) {
        emit changed();
    }
}

void DriveListBox::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    // Styles draw a combo box that cannot be typed into as a shaded push button. This one
    // is a field like the lists below it: their base colour, their frame, the style's
    // arrow and focus mark, and the name in the text colour.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.fillRect(rect(), palette().brush(QPalette::Base));

    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::StyledPanel;
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = 1;
    painter.drawPrimitive(QStyle::PE_Frame, frame);

    QStyleOption arrow(option);
    arrow.rect =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                             QStyle::SC_ComboBoxEditField, this);
        focus.backgroundColor = palette().color(QPalette::Base);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    painter.setPen(palette().color(QPalette::Text));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void DriveListBox::keyReleaseEvent(QKeyEvent *event)
{
    event->accept();
    if (!event->isAutoRepeat()) {
        emit keyReleased(event->key());
    }
}

} // namespace quenloft
