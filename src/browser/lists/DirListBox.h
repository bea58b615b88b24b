// A directory list in the classic style: the current directory's ancestors from the
// root down, each one level deeper than the last, then the current directory's
// sub-directories. Double-click or Enter on an entry makes it the current directory.
// Sub-directories that appear, disappear or are renamed on disk are listed or dropped by
// themselves.
#pragma once

#include "support/Result.h"

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace quenloft {

class PathWatch;

class DirListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit DirListBox(QWidget *parent = nullptr);

    // The current directory, absolute, with '/' separators and no trailing '/'
    // (except the root itself).
    [[nodiscard]] QString path() const { return m_path; }

    // Makes `path` (absolute, or relative to the current directory) the current directory
    // and lists it. Raises changed() before returning when the directory changed. A
    // directory that does not exist or cannot be read is a failure: the current
    // directory and the list stay as they were and nothing is raised.
    Result<Done> setPath(const QString &path);

    // Reads the current directory again, keeping the highlighted entry while it is listed.
    // On failure the list stays as it was.
    Result<Done> refresh();

    // Full paths of the entries in list order; the first ancestorCount() of them are the
    // ancestors ending with the current directory, the rest its sub-directories.
    [[nodiscard]] QStringList entries() const;
    [[nodiscard]] int ancestorCount() const { return m_ancestorCount; }
    [[nodiscard]] QString entryPath(int row) const;

    // Whether `path` is a directory this list could show; a failure carries the Windows
    // system error code of its reason, as every other failure does.
    [[nodiscard]] static Result<Done> checkReadable(const QString &path);

signals:
    void changed();
    void keyReleased(int key);
    // The user tried to enter a directory that could not be read; the path is unchanged.
    void enterFailed(const QString &path, const QString &reason);
    // The current directory's entries changed on disk and the list has read them again,
    // as refresh() does. A directory that can no longer be read keeps its list as it was.
    void changedOnDisk();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    [[nodiscard]] QString absolute(const QString &path) const;
    void populate();
    void reread();
    void folderChanged();
    [[nodiscard]] QStringList readSubdirectories() const;
    void enterRow(int row);

    QString m_path;
    int m_ancestorCount = 0;
    PathWatch *m_watch = nullptr;
};

} // namespace quenloft
