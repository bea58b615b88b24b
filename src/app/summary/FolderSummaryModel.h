// The rows of the folder summary: one run file each, read by the core's row model as
// `export` reads it, so the table and the exported CSV agree. The files are read a few at a
// time (readFor), so the window stays responsive while a folder of thousands fills in.
#pragma once

#include "vehicle/RunSummary.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QList>
#include <QStringList>

#include <memory>

namespace quenloft {

class FolderSummaryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // What the table sorts by: numbers as numbers, texts as texts.
    static constexpr int SortRole = Qt::UserRole;
    // The row's full path.
    static constexpr int PathRole = Qt::UserRole + 1;

    enum Column {
        FileColumn,
        ModelColumn,
        // One column per field of the window's value column, in its order: every field but
        // the notes, which come last.
        FirstFieldColumn,
        RecordsColumn = FirstFieldColumn + int(FieldId::Notes),
        DamageColumn,
        ColumnCount,
    };

    // The files at `paths`, in that order, shown in the given units.
    FolderSummaryModel(const QStringList &paths, bool metric, QObject *parent = nullptr);
    ~FolderSummaryModel() override;

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    // Reads files for about `budgetMs` (at least one). A long scan lets the window handle
    // its events in between. The rows read are added to the model in batches: the first
    // ones at once, then every kAddIntervalMs, and the last with them; each addition
    // repaints the table, which costs more than reading hundreds of files.
    void readFor(qint64 budgetMs);
    [[nodiscard]] bool isComplete() const { return m_rows.size() == m_paths.size(); }
    [[nodiscard]] qsizetype total() const { return m_paths.size(); }
    // Files read so far, the rows not yet added included.
    [[nodiscard]] qsizetype read() const { return m_rows.size() + m_unadded.size(); }
    [[nodiscard]] const QList<RunSummary> &rows() const { return m_rows; }

    // The field a column shows; nullopt for the others.
    [[nodiscard]] static std::optional<FieldId> fieldOfColumn(int column);

signals:
    void progressed(qsizetype done, qsizetype total);

private:
    [[nodiscard]] QVariant display(const RunSummary &row, int column) const;
    [[nodiscard]] QVariant sortKey(const RunSummary &row, int column) const;

    QStringList m_paths;
    bool m_metric;
    QList<RunSummary> m_rows;
    QList<RunSummary> m_unadded; // read, waiting for the next addition
    QElapsedTimer m_sinceAdded;
    bool m_reading = false;
    // Cleared when the model goes, so a read that let events run (and saw it go) stops.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace quenloft
