#include "app/summary/FolderSummaryDialog.h"

#include "app/summary/FolderSummaryModel.h"
#include "runfile/Model.h"
#include "support/NativeFolder.h"
#include "vehicle/RunSummaryCsv.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace quenloft {
namespace {

// How long one turn of filling may read before the window handles its events again. Two
// turns can follow each other before another timer of the window runs, and the table is
// repainted in between: 8 ms keeps all of that well under 50 ms.
constexpr qint64 kFillTurnMs = 8;

QString askWithFileDialog(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Export CSV"), suggested,
                                        QStringLiteral("CSV files (*.csv)"));
}

QStringList pathsOf(const QString &folder, QStringList names)
{
    // By code unit, as `export` sorts, so the two write the same rows in the same order.
    std::sort(names.begin(), names.end());
    // Joined as `export` joins a folder and a name.
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names)
        paths.append(JoinPath(folder, name));
    return paths;
}

} // namespace

FolderSummaryDialog::FolderSummaryDialog(const QString &folder, const QStringList &fileNames,
                                         bool metric, std::function<Prompter &()> prompter,
                                         QWidget *parent)
    : QDialog(parent), m_folder(folder), m_prompter(std::move(prompter)),
      m_chooser(askWithFileDialog)
{
    setObjectName(QStringLiteral("frmFolderSummary"));
    setWindowTitle(QStringLiteral("Folder Summary - ") + QDir::toNativeSeparators(folder));
    resize(900, 480);

    m_model = new FolderSummaryModel(pathsOf(folder, fileNames), metric, this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(FolderSummaryModel::SortRole);

    auto *where = new QLabel(QDir::toNativeSeparators(folder), this);
    where->setObjectName(QStringLiteral("lblSummaryFolder"));
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblSummary"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(FolderSummaryModel::FileColumn, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    // Column widths from the rows in view only: measuring the texts of a thousand rows
    // (the default) would hold the window up for tens of milliseconds.
    m_table->horizontalHeader()->setResizeContentsPrecision(0);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // A row is one line of text high, so a tall dialog shows many.
    m_table->verticalHeader()->setMinimumSectionSize(1);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->setAccessibleName(QStringLiteral("Run files of the folder"));
    m_table->setAccessibleDescription(
        QStringLiteral("One row per run file. Damaged files are marked yellow with a warning "
                       "icon, files that could not be read red with an error icon. "
                       "Double-click a row to show the file."));
    // A double-click (or Enter) activates a row; a double-click also raises doubleClicked,
    // which would show the file twice.
    connect(m_table, &QTableView::activated, this, &FolderSummaryDialog::activate);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("prgSummary"));
    if (m_model->total() == 0) {
        m_progress->setRange(0, 1); // a range of 0 would show a busy bar for ever
        m_progress->setValue(1);
        m_progress->setFormat(QStringLiteral("No run files in this folder"));
    } else {
        m_progress->setRange(0, int(m_model->total()));
        m_progress->setValue(0);
        m_progress->setFormat(QStringLiteral("%v of %m files read"));
    }
    connect(m_model, &FolderSummaryModel::progressed, this,
            [this](qsizetype done) { m_progress->setValue(int(done)); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_export = buttons->addButton(QStringLiteral("Export CSV..."), QDialogButtonBox::ActionRole);
    m_export->setObjectName(QStringLiteral("cmdExportCsv"));
    m_export->setEnabled(false); // until every file is read
    connect(m_export, &QPushButton::clicked, this, [this] { (void)exportCsv(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(where);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_progress);
    layout->addWidget(buttons);

    // Each turn reads for a moment and hands back to the event loop.
    m_fill = new QTimer(this);
    m_fill->setInterval(0);
    connect(m_fill, &QTimer::timeout, this, &FolderSummaryDialog::fillSome);
    if (m_model->isComplete())
        m_export->setEnabled(true);
    else
        m_fill->start();
}

FolderSummaryDialog::~FolderSummaryDialog() = default;

void FolderSummaryDialog::fillSome()
{
    // A long file lets the window handle its events while it is read; closing the dialog
    // then may delete it before readFor returns.
    const QPointer<FolderSummaryDialog> self(this);
    m_model->readFor(kFillTurnMs);
    if (!self)
        return;
    // Sized once, on the rows the view shows, never on all of them.
    if (!m_columnsSized && m_model->rowCount() > 0) {
        m_columnsSized = true;
        m_table->resizeColumnsToContents();
        shareWidth();
    }
    if (m_model->isComplete()) {
        m_fill->stop();
        m_export->setEnabled(true);
    }
}

void FolderSummaryDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    shareWidth();
}

void FolderSummaryDialog::shareWidth()
{
    // The columns keep their proportions and together fill the table's width: a wider
    // dialog shows more of every name and date.
    QHeaderView *header = m_table->horizontalHeader();
    const int available = m_table->viewport()->width();
    int total = 0;
    for (int c = 0; c < header->count(); ++c)
        total += header->sectionSize(c);
    if (total <= 0 || available <= 0 || total == available)
        return;
    int given = 0;
    for (int c = 0; c < header->count(); ++c) {
        const int width = c == header->count() - 1
                              ? available - given
                              : int(qint64(header->sectionSize(c)) * available / total);
        header->resizeSection(c, qMax(width, header->minimumSectionSize()));
        given += header->sectionSize(c);
    }
}

void FolderSummaryDialog::activate(const QModelIndex &index)
{
    if (index.isValid())
        emit fileActivated(index.data(FolderSummaryModel::PathRole).toString());
}

bool FolderSummaryDialog::exportCsv()
{
    // Only every row makes export's CSV; the button waits for them too.
    if (!m_model->isComplete())
        return false;
    const QString path =
        m_chooser(this, QDir(m_folder).filePath(QStringLiteral("folder summary.csv")));
    if (path.isEmpty())
        return false;
    const auto tell = [this](const QString &text) {
        m_prompter().message(this, text, PromptIcon::Stop);
        return false;
    };
    // The file is replaced; a run file chosen by mistake would be lost.
    if (IsRunFileName(QFileInfo(path).fileName()))
        return tell(QStringLiteral("The summary is not written over the run file [") +
                    QDir::toNativeSeparators(path) + QStringLiteral("]!"));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QTextStream out(&file);
        out << CsvHeader();
        for (int r = 0; r < m_sorted->rowCount(); ++r)
            out << CsvRecord(
                m_model->rows().at(m_sorted->mapToSource(m_sorted->index(r, 0)).row()));
        out.flush();
        if (out.status() == QTextStream::Ok && file.commit()) {
            m_prompter().message(this,
                                 QStringLiteral("The summary was written to [") +
                                     QDir::toNativeSeparators(path) + QStringLiteral("]."),
                                 PromptIcon::Information);
            return true;
        }
    }
    return tell(QStringLiteral("The summary could not be written to [") +
                QDir::toNativeSeparators(path) + QStringLiteral("]: ") + file.errorString());
}

} // namespace quenloft
