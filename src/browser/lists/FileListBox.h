// A file list in the classic style: the files of one directory that match a pattern,
// sorted by name, with at most one selected. It follows the directory on disk: files that
// appear, disappear or are renamed there are listed or dropped by themselves.
#pragma once

#include "support/Result.h"

#include <QListWidget>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace quenloft {

class PathWatch;

class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    static constexpr const char *kDefaultPattern = "*.kvp;*.kvs";

    explicit FileListBox(QWidget *parent = nullptr);

    // The listed directory, absolute, with '/' separators.
    [[nodiscard]] QString path() const { return m_path; }
    // Lists the files of `path` (absolute, or relative to the listed directory) with no
    // selection. A directory that does not exist or cannot be read is a failure: the
    // path and the list stay as they were.
    Result<Done> setPath(const QString &path);

    // Wildcard patterns separated by ';', matched against whole names without regard to
    // case. Setting it lists the directory again.
    [[nodiscard]] QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    [[nodiscard]] static bool matchesPattern(const QString &fileName, const QString &pattern);

    // Name of the selected file, empty when none is selected.
    [[nodiscard]] QString fileName() const;
    // Selects the file of that name (case as listed), raising fileClicked() when the
    // selection changes, as a click would. False when no such file is listed.
    bool setFileName(const QString &name);
    [[nodiscard]] QStringList fileNames() const;

    // Reads the directory again, keeping the selected name selected while it is listed.
    // It never raises fileClicked(): a selected name that has gone is just no longer
    // selected.
    Result<Done> refresh();

signals:
    // The selection changed by a click, the arrow keys or setFileName().
    void fileClicked();
    void fileDoubleClicked();
    void mouseReleased(Qt::MouseButton button, QPoint globalPos);
    void keyReleased(int key);
    // The menu key or Shift+F10: the context menu is wanted at `globalPos`.
    void keyboardMenuRequested(QPoint globalPos);
    // The directory's entries changed on disk and the list has read them again, as
    // refresh() does. A directory that can no longer be read keeps its list as it was.
    void changedOnDisk();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void populate(const QStringList &names, const QString &keep);
    void reread();
    void folderChanged();
    [[nodiscard]] QStringList readNames(const QString &directory) const;
    void onSelectionChanged();

    QString m_path;
    QString m_pattern;
    QString m_lastSelected;
    bool m_populating = false;
    PathWatch *m_watch = nullptr;
};

} // namespace quenloft
