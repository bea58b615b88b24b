#include "app/ShownFileWatch.h"

namespace quenloft {

ShownFileWatch::ShownFileWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &ShownFileWatch::changed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        if (!m_settle.isActive())
            m_settle.start();
    });
}

void ShownFileWatch::watch(const QString &path)
{
    m_settle.stop(); // a change still pending belongs to the file left
    const QStringList watched = m_watcher.files();
    if (!watched.isEmpty())
        (void)m_watcher.removePaths(watched);
    // A file replaced by a rename is dropped by the system's watch; watching the path again
    // follows the new file.
    if (!path.isEmpty())
        (void)m_watcher.addPath(path);
}

} // namespace quenloft
