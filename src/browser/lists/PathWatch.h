// Tells when one folder's entries, or one file, change on disk: files or folders created,
// removed or renamed in the folder; the file written, replaced, renamed or removed. A burst
// of changes is told once, a moment after its first change, and then again for what
// follows, so copying thousands of files in reads the folder a few times rather than
// thousands.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace quenloft {

class PathWatch : public QObject
{
    Q_OBJECT

public:
    // How long after the first change of a burst changed() is raised.
    static constexpr int kSettleMilliseconds = 100;

    explicit PathWatch(QObject *parent = nullptr);

    // Watches `path` (a folder or a file) instead of the one watched so far; an empty text
    // stops watching. A path the system will not watch (too many watches, no such path) is
    // not told about; reading it again by hand still works. Watching the same path again
    // follows a file that was replaced by a rename, which the system's watch drops.
    void watch(const QString &path);
    [[nodiscard]] QString path() const { return m_path; }

signals:
    void changed();

private:
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
};

} // namespace quenloft
