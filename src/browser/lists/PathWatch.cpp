#include "browser/lists/PathWatch.h"

namespace quenloft {

PathWatch::PathWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &PathWatch::changed);
    // Not restarted by each change: a steady stream of changes is still told about.
    const auto changedOnDisk = [this] {
        if (!m_settle.isActive())
            m_settle.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, changedOnDisk);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, changedOnDisk);
}

void PathWatch::watch(const QString &path)
{
    const QStringList watched = m_watcher.directories() + m_watcher.files();
    if (path == m_path && watched.contains(path))
        return;
    m_settle.stop(); // a change still pending belongs to the path left
    if (!watched.isEmpty())
        (void)m_watcher.removePaths(watched);
    m_path = path;
    if (!path.isEmpty())
        (void)m_watcher.addPath(path);
}

} // namespace quenloft
