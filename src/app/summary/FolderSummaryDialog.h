// The folder summary: a sortable table of every run file of the folder shown in the
// browser, with its model, its fields in the window's units, its record count and any
// damage. It fills in a few files at a time, so the window keeps handling its events;
// a double-click shows the file in the window; "Export CSV..." writes the CSV `export`
// writes for the same files.
#pragma once

#include "app/program/Prompts.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace quenloft {

class FolderSummaryModel;

class FolderSummaryDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks where the CSV goes, `suggested` first; empty when cancelled.
    using SaveFileChooser = std::function<QString(QWidget *parent, const QString &suggested)>;

    // The run files `fileNames` of `folder`, in the given units; prompts go to `prompter`.
    FolderSummaryDialog(const QString &folder, const QStringList &fileNames, bool metric,
                        std::function<Prompter &()> prompter, QWidget *parent = nullptr);
    ~FolderSummaryDialog() override;

    [[nodiscard]] FolderSummaryModel *model() const { return m_model; }
    [[nodiscard]] QSortFilterProxyModel *sortedModel() const { return m_sorted; }
    [[nodiscard]] QTableView *table() const { return m_table; }
    [[nodiscard]] QProgressBar *progress() const { return m_progress; }
    [[nodiscard]] QPushButton *exportButton() const { return m_export; }

    // Tests and other callers replace the file dialog.
    void setSaveFileChooser(SaveFileChooser chooser) { m_chooser = std::move(chooser); }

    // Once every file is read, asks for a file and writes the CSV of every row into it, in
    // the order the table shows them, whole or not at all, and says where it wrote; false
    // when cancelled or it failed (the user has been told why).
    bool exportCsv();

signals:
    // A row was double-clicked: the window shows that file.
    void fileActivated(const QString &path);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fillSome();
    void shareWidth();
    void activate(const QModelIndex &index);

    QString m_folder;
    std::function<Prompter &()> m_prompter;
    SaveFileChooser m_chooser;
    FolderSummaryModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QTableView *m_table = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_export = nullptr;
    QTimer *m_fill = nullptr;
    bool m_columnsSized = false;
};

} // namespace quenloft
