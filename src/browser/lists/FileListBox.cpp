#include "browser/lists/FileListBox.h"

#include "browser/lists/DirListBox.h"
#include "browser/lists/FolderListing.h"
#include "browser/lists/PathWatch.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>

#include <algorithm>

namespace quenloft {
namespace {

// The pattern's wildcards, matched without regard to case. A wildcard of the form "*.kvp"
// is matched by its ending, which keeps reading a folder of thousands of files cheap;
// any other by its expression.
class NameMatcher
{
public:
    explicit NameMatcher(const QString &pattern)
    {
        const QStringList wildcards = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString &untrimmed : wildcards) {
            const QString wildcard = untrimmed.trimmed();
            const QString rest = wildcard.mid(1);
            if (wildcard.startsWith(QLatin1Char('*')) && !rest.isEmpty() && !hasWildcard(rest)) {
                m_endings.append(rest);
            } else {
                m_expressions.append(
                    QRegularExpression(QRegularExpression::wildcardToRegularExpression(wildcard),
                                       QRegularExpression::CaseInsensitiveOption));
            }
        }
    }

    [[nodiscard]] bool matches(const QString &fileName) const
    {
        return std::any_of(m_endings.cbegin(), m_endings.cend(),
                           [&fileName](const QString &ending) {
                               return fileName.endsWith(ending, Qt::CaseInsensitive);
                           }) ||
               std::any_of(m_expressions.cbegin(), m_expressions.cend(),
                           [&fileName](const QRegularExpression &expression) {
                               return expression.match(fileName).hasMatch();
                           });
    }

private:
    static bool hasWildcard(const QString &text)
    {
        return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
            return c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[');
        });
    }

    QStringList m_endings;
    QList<QRegularExpression> m_expressions;
};

} // namespace

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent), m_pattern(QString::fromLatin1(kDefaultPattern))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::onSelectionChanged);
    m_watch = new PathWatch(this);
    connect(m_watch, &PathWatch::changed, this, &FileListBox::folderChanged);

    m_path = QDir::cleanPath(QDir::currentPath());
    if (DirListBox::checkReadable(m_path)) {
        populate(readNames(m_path), QString());
        m_watch->watch(m_path);
    }
}

bool FileListBox::matchesPattern(const QString &fileName, const QString &pattern)
{
    return NameMatcher(pattern).matches(fileName);
}

Result<Done> FileListBox::setPath(const QString &path)
{
    const QString target =
        QDir::cleanPath(QDir(m_path).absoluteFilePath(QDir::fromNativeSeparators(path)));
    Result<Done> readable = DirListBox::checkReadable(target);
    if (!readable) {
        return readable;
    }
    m_path = target;
    populate(readNames(m_path), QString());
    m_watch->watch(m_path);
    return Done{};
}

void FileListBox::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    if (DirListBox::checkReadable(m_path)) {
        populate(readNames(m_path), fileName());
    }
}

QString FileListBox::fileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

bool FileListBox::setFileName(const QString &name)
{
    const QList<QListWidgetItem *> found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) {
        return false;
    }
    setCurrentItem(found.first());
    return true;
}

QStringList FileListBox::fileNames() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i) {
        names.append(item(i)->text());
    }
    return names;
}

Result<Done> FileListBox::refresh()
{
    Result<Done> readable = DirListBox::checkReadable(m_path);
    if (readable) {
        reread();
        m_watch->watch(m_path); // again, in case the directory was replaced
    }
    return readable;
}

void FileListBox::reread()
{
    const QStringList names = readNames(m_path);
    if (names == fileNames()) {
        return; // nothing to show differently; the scroll position and focus stay
    }
    const int scrolled = verticalScrollBar()->value();
    populate(names, fileName());
    verticalScrollBar()->setValue(scrolled);
}

void FileListBox::folderChanged()
{
    if (DirListBox::checkReadable(m_path)) {
        reread();
    }
    emit changedOnDisk();
}

QStringList FileListBox::readNames(const QString &directory) const
{
    // Plain files only: a directory named like a run file is not one, and hidden files
    // stay hidden as in the directory list.
    const NameMatcher matcher(m_pattern);
    return SortedByName(MatchingEntries(
        directory, QDir::Files, [&matcher](const QString &name) { return matcher.matches(name); }));
}

void FileListBox::populate(const QStringList &names, const QString &keep)
{
    m_populating = true;
    clear();
    addItems(names);
    if (!keep.isEmpty()) {
        const QList<QListWidgetItem *> found = findItems(keep, Qt::MatchExactly);
        if (!found.isEmpty()) {
            setCurrentItem(found.first());
        }
    }
    if (fileName().isEmpty()) {
        // Without this the first arrow key would only move the focus rectangle.
        setCurrentRow(-1);
    }
    m_lastSelected = fileName();
    m_populating = false;
}

void FileListBox::onSelectionChanged()
{
    const QString selected = fileName();
    if (m_populating || selected == m_lastSelected) {
        return;
    }
    m_lastSelected = selected;
    emit fileClicked();
}

void FileListBox::mousePressEvent(QMouseEvent *event)
{
    // A right click leaves the selection alone, so the context menu acts on the file that
    // is already loaded; a click below the last entry keeps the selection too.
    if (event->button() == Qt::RightButton || !indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    emit mouseReleased(event->button(), event->globalPosition().toPoint());
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
    emit fileDoubleClicked();
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    // Shift+F10 asks for the menu as the menu key does. Taken here, the key is not passed on,
    // so a system that would turn it into a menu request itself does not ask twice.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
        contextMenuEvent(&menu);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FileListBox::keyReleaseEvent(QKeyEvent *event)
{
    event->accept();
    if (!event->isAutoRepeat()) {
        emit keyReleased(event->key());
    }
}

void FileListBox::contextMenuEvent(QContextMenuEvent *event)
{
    // A mouse menu is shown from mouseReleased(); the menu key or Shift+F10 asks for it at
    // the selected file, or at the list's corner when none is.
    event->accept();
    if (event->reason() != QContextMenuEvent::Keyboard)
        return;
    const QListWidgetItem *item = currentItem();
    const QRect at = item ? visualItemRect(item) : QRect();
    emit keyboardMenuRequested(viewport()->mapToGlobal(at.isValid() ? at.center() : QPoint()));
}

} // namespace quenloft
