// Tells when the run file on display is changed, replaced, renamed or removed on disk by
// another program. A burst of writes is told once, a moment after it starts.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace quenloft {

class ShownFileWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMilliseconds = 100;

    explicit ShownFileWatch(QObject *parent = nullptr);

    // Watches `path` instead of the file watched so far; an empty text stops watching. A
    // file the system will not watch is not told about (Save still refuses a changed one).
    void watch(const QString &path);

signals:
    void changed();

private:
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

} // namespace quenloft
