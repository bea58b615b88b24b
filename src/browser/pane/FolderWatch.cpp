#include "browser/pane/FolderWatch.h"

namespace quenloft {

FolderWatch::FolderWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::changed);
    // Not restarted by each change: a steady stream of changes is still told about.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!m_settle.isActive())
            m_settle.start();
    });
}

void FolderWatch::watch(const QString &folder)
{
    if (folder == m_folder && m_watcher.directories().contains(folder))
        return;
    m_settle.stop(); // a change still pending belongs to the folder left
    const QStringList watched = m_watcher.directories();
    if (!watched.isEmpty())
        (void)m_watcher.removePaths(watched);
    m_folder = folder;
    if (!folder.isEmpty())
        (void)m_watcher.addPath(folder);
}

} // namespace quenloft
