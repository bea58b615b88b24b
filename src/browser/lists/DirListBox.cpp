#include "browser/lists/DirListBox.h"

#include "browser/lists/FolderIcon.h"
#include "browser/lists/FolderListing.h"
#include "browser/lists/PathWatch.h"
#include "support/SystemError.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <cerrno>

namespace quenloft {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 12;

// Indents each entry by its depth, which is what makes the flat list read as a tree.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(indented.rect.left() + indentOf(index));
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += indentOf(index);
        return size;
    }

private:
    static int indentOf(const QModelIndex &index)
    {
        return index.data(kLevelRole).toInt() * kIndentPixels;
    }
};

QString displayName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

} // namespace

DirListBox::DirListBox(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { enterRow(row(item)); });
    m_watch = new PathWatch(this);
    connect(m_watch, &PathWatch::changed, this, &DirListBox::folderChanged);

    m_path = absolute(QDir::currentPath());
    if (checkReadable(m_path)) {
        populate();
    }
}

Result<Done> DirListBox::checkReadable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return Failure{WindowsErrorFromErrno(ENOENT),
                       QStringLiteral("The directory does not exist.")};
    }
    if (!info.isDir()) {
        return Failure{WindowsErrorFromErrno(ENOTDIR),
                       QStringLiteral("The path is not a directory.")};
    }
    if (!info.isReadable() || !info.isExecutable()) {
        return Failure{WindowsErrorFromErrno(EACCES),
                       QStringLiteral("The directory cannot be read.")};
    }
    return Done{};
}

QString DirListBox::absolute(const QString &path) const
{
    const QString native = QDir::fromNativeSeparators(path);
    const QString base = m_path.isEmpty() ? QDir::currentPath() : m_path;
    return QDir::cleanPath(QDir(base).absoluteFilePath(native));
}

Result<Done> DirListBox::setPath(const QString &path)
{
    const QString target = absolute(path);
    if (target == m_path) {
        return Done{};
    }
    Result<Done> readable = checkReadable(target);
    if (!readable) {
        return readable;
    }
    m_path = target;
    populate();
    emit changed();
    return Done{};
}

Result<Done> DirListBox::refresh()
{
    Result<Done> readable = checkReadable(m_path);
    if (readable) {
        reread();
    }
    return readable;
}

void DirListBox::reread()
{
    const QStringList listed = entries().mid(m_ancestorCount);
    if (readSubdirectories() == listed) {
        m_watch->watch(m_path); // again, in case the directory was replaced
        return;
    }
    const QString highlighted = entryPath(currentRow());
    const int scrolled = verticalScrollBar()->value();
    populate();
    const int keep = static_cast<int>(entries().indexOf(highlighted));
    if (keep >= 0) {
        setCurrentRow(keep);
    }
    verticalScrollBar()->setValue(scrolled);
}

void DirListBox::folderChanged()
{
    if (checkReadable(m_path)) {
        reread();
    }
    emit changedOnDisk();
}

QStringList DirListBox::readSubdirectories() const
{
    QStringList paths = SortedByName(MatchingEntries(m_path, QDir::Dirs));
    for (QString &name : paths) {
        name = QDir::cleanPath(m_path + QLatin1Char('/') + name);
    }
    return paths;
}

QStringList DirListBox::entries() const
{
    QStringList paths;
    for (int i = 0; i < count(); ++i) {
        paths.append(entryPath(i));
    }
    return paths;
}

QString DirListBox::entryPath(int row) const
{
    const QListWidgetItem *entry = item(row);
    return entry == nullptr ? QString() : entry->data(kPathRole).toString();
}

void DirListBox::populate()
{
    QStringList ancestors;
    for (QString step = m_path;;) {
        ancestors.prepend(step);
        const QString parent = QFileInfo(step).absolutePath();
        if (QDir(step).isRoot() || parent == step) {
            break;
        }
        step = parent;
    }

    clear();
    const QIcon openIcon = FolderIcon(FolderState::Open);
    const QIcon closedIcon = FolderIcon(FolderState::Closed);
    int level = 0;
    for (const QString &ancestor : ancestors) {
        auto *entry = new QListWidgetItem(openIcon, displayName(ancestor), this);
        entry->setData(kPathRole, ancestor);
        entry->setData(kLevelRole, level++);
    }
    m_ancestorCount = static_cast<int>(ancestors.size());

    const QStringList subdirectories = readSubdirectories();
    for (const QString &subdirectory : subdirectories) {
        auto *entry = new QListWidgetItem(closedIcon, QFileInfo(subdirectory).fileName(), this);
        entry->setData(kPathRole, subdirectory);
        entry->setData(kLevelRole, level);
    }

    setCurrentRow(m_ancestorCount - 1);
    m_watch->watch(m_path);
}

void DirListBox::enterRow(int row)
{
    const QString target = entryPath(row);
    if (target.isEmpty()) {
        return;
    }
    const Result<Done> entered = setPath(target);
    if (!entered) {
        emit enterFailed(target, entered.failure().description);
    }
}

void DirListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        enterRow(currentRow());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirListBox::keyReleaseEvent(QKeyEvent *event)
{
    event->accept();
    if (!event->isAutoRepeat()) {
        emit keyReleased(event->key());
    }
}

} // namespace quenloft
