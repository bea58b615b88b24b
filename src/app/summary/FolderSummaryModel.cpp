#include "app/summary/FolderSummaryModel.h"

#include "support/NativePath.h"
#include "support/NumberText.h"
#include "vehicle/FieldEntry.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QElapsedTimer>
#include <QStyle>

#include <limits>

namespace quenloft {
namespace {

// How often a long scan lets the window handle its events, as the window's own loader does.
constexpr qint64 kEventIntervalMs = 40;
// How often rows read are added to the table.
constexpr qint64 kAddIntervalMs = 100;

// Colours of rows that need attention; the icon in the file column says the same.
QColor damagedColour()
{
    return QColor(255, 236, 179);
}
QColor unreadableColour()
{
    return QColor(255, 205, 210);
}

bool isDamaged(const RunSummary &row)
{
    return DamagedCount(row).value_or(0) > 0;
}

QString header(FieldId id)
{
    if (id == FieldId::RunName)
        return QStringLiteral("Run Name / Date");
    QString caption = QString::fromUtf8(fieldInfo(id).caption);
    if (caption.endsWith(u':'))
        caption.chop(1);
    return caption;
}

} // namespace

FolderSummaryModel::FolderSummaryModel(const QStringList &paths, bool metric, QObject *parent)
    : QAbstractTableModel(parent), m_paths(paths), m_metric(metric)
{
    Q_ASSERT(columnFields().size() == RecordsColumn - FirstFieldColumn);
}

FolderSummaryModel::~FolderSummaryModel()
{
    *m_alive = false;
}

std::optional<FieldId> FolderSummaryModel::fieldOfColumn(int column)
{
    if (column < FirstFieldColumn || column >= RecordsColumn)
        return std::nullopt;
    return columnFields().at(column - FirstFieldColumn);
}

int FolderSummaryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FolderSummaryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FolderSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (const auto field = fieldOfColumn(section))
        return header(*field);
    switch (section) {
    case FileColumn:
        return QStringLiteral("File");
    case ModelColumn:
        return QStringLiteral("Model");
    case RecordsColumn:
        return QStringLiteral("Records");
    case DamageColumn:
        return QStringLiteral("Damage");
    default:
        return {};
    }
}

QVariant FolderSummaryModel::display(const RunSummary &row, int column) const
{
    if (const auto field = fieldOfColumn(column))
        return FieldText(row, *field).value_or(QString());
    switch (column) {
    case FileColumn:
        return FileNameOfPath(row.path);
    case ModelColumn:
        return row.model ? ModelName(*row.model) : QString();
    case RecordsColumn:
        if (const auto records = RecordCount(row))
            return QString::number(*records);
        return QString();
    case DamageColumn:
        if (!row.loaded())
            return QStringLiteral("unreadable");
        if (const auto damaged = DamagedCount(row))
            return *damaged == 0 ? QStringLiteral("none")
                                 : QStringLiteral("%1 damaged").arg(*damaged);
        return QString();
    default:
        return {};
    }
}

QVariant FolderSummaryModel::sortKey(const RunSummary &row, int column) const
{
    if (const auto field = fieldOfColumn(column)) {
        if (!FieldText(row, *field))
            return {};
        // The number shown, in the units shown, so a Nox weight and a Solvane weight in
        // pounds sort together; texts (names, dates, "n/a") as texts.
        const QString value = row.display.values.value(*field);
        if (*field == FieldId::RunName || *field == FieldId::VehicleName)
            return value;
        if (const auto number = ParseDouble(value))
            return *number;
        return {};
    }
    switch (column) {
    case FileColumn:
        // As the file list sorts its names: without regard to case, then by code point.
        return FileNameOfPath(row.path).toCaseFolded() + QChar(u'\0') + FileNameOfPath(row.path);
    case RecordsColumn:
        if (const auto records = RecordCount(row))
            return *records;
        return {};
    case DamageColumn:
        if (!row.loaded())
            return std::numeric_limits<qint64>::max(); // after every damaged file
        if (const auto damaged = DamagedCount(row))
            return *damaged;
        return {};
    default:
        return display(row, column);
    }
}

QVariant FolderSummaryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const RunSummary &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return display(row, index.column());
    case SortRole:
        return sortKey(row, index.column());
    case PathRole:
        return row.path;
    case Qt::BackgroundRole:
        if (!row.loaded())
            return QBrush(unreadableColour());
        if (isDamaged(row))
            return QBrush(damagedColour());
        return {};
    case Qt::ForegroundRole:
        // Dark text on the light marks, whatever the style's text colour.
        if (!row.loaded() || isDamaged(row))
            return QBrush(Qt::black);
        return {};
    case Qt::DecorationRole:
        if (index.column() != FileColumn)
            return {};
        if (!row.loaded())
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
        if (isDamaged(row))
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return {};
    case Qt::ToolTipRole: {
        QString tip = !row.loaded() ? row.error : row.display.damagedList;
        if (!row.recovery.isEmpty())
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n\n")) + row.recovery;
        return tip.isEmpty() ? QVariant()
                             : QVariant(tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    default:
        return {};
    }
}

void FolderSummaryModel::readFor(qint64 budgetMs)
{
    if (m_reading || isComplete())
        return;
    m_reading = true;
    const std::shared_ptr<bool> alive = m_alive;
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    const ScanObserver observer = [alive, &sinceEvents](qint64, qint64) {
        if (sinceEvents.elapsed() >= kEventIntervalMs) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
        return *alive;
    };
    do {
        RunSummary row = ReadRunSummary(m_paths.at(read()), m_metric, observer);
        if (!*alive)
            return; // the model went while the events ran
        m_unadded.append(std::move(row));
    } while (read() < m_paths.size() && clock.elapsed() < budgetMs);

    if (m_rows.isEmpty() || read() == m_paths.size() || m_sinceAdded.elapsed() >= kAddIntervalMs) {
        beginInsertRows(QModelIndex(), int(m_rows.size()), int(read() - 1));
        m_rows.append(std::move(m_unadded));
        m_unadded.clear();
        endInsertRows();
        m_sinceAdded.start();
    }
    m_reading = false;
    emit progressed(read(), m_paths.size());
}

} // namespace quenloft
