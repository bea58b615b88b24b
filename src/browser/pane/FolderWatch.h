// Tells when the entries of one folder change on disk: files or folders created, removed
// or renamed. A burst of changes is told once, a moment after its first change, and then
// again for what follows, so copying thousands of files in reads the folder a few times
// rather than thousands.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace quenloft {

class FolderWatch : public QObject
{
    Q_OBJECT

public:
    // How long after the first change of a burst changed() is raised.
    static constexpr int kSettleMilliseconds = 100;

    explicit FolderWatch(QObject *parent = nullptr);

    // Watches `folder` instead of the folder watched so far; an empty text stops watching.
    // A folder the system will not watch (too many watches, no such folder) is not told
    // about; reading it again by hand still works.
    void watch(const QString &folder);
    [[nodiscard]] QString folder() const { return m_folder; }

signals:
    void changed();

private:
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_folder;
};

} // namespace quenloft
