// A drive list in the classic style, drawn flat like the directory and file lists. On
// Linux the "drives" are the places a user would browse: the root file system, the home
// directory and mounted removable media; on Windows the mounted drive letters.
#pragma once

#include <QComboBox>
#include <QList>
#include <QString>

#include <functional>

namespace quenloft {

class DriveListBox : public QComboBox
{
    Q_OBJECT

public:
    struct Volume
    {
        QString path;  // root directory of the drive, with '/' separators
        QString label; // shown after the path when not empty
    };
    using VolumeSource = std::function<QList<Volume>()>;

    explicit DriveListBox(QWidget *parent = nullptr);

    // The volumes of this machine, as the list shows them by default.
    [[nodiscard]] static QList<Volume> systemVolumes();

    // The drive among `roots` whose root directory holds `path` (the deepest one), or an
    // empty text when none does.
    [[nodiscard]] static QString driveContaining(const QStringList &roots, const QString &path);

    // Replaces where the list reads its volumes from, then refreshes. For tests and for
    // machines where the default choice is wrong.
    void setVolumeSource(VolumeSource source);

    // Root directory of the selected drive.
    [[nodiscard]] QString drive() const;
    // Selects the drive that holds `path` (a drive root or any path on it). Raises
    // changed() when the selection moves. False, and nothing changes, when no listed
    // drive holds it.
    [[nodiscard]] bool setDrive(const QString &path);
    [[nodiscard]] QStringList drives() const;

    // Reads the volumes again. The selected drive stays selected while it exists;
    // when it has gone, the first drive is selected and changed() is raised.
    void refresh();

signals:
    void changed();
    void keyReleased(int key);

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void populate(const QString &keep);
    void onCurrentIndexChanged();

    VolumeSource m_source;
    bool m_populating = false;
};

} // namespace quenloft
