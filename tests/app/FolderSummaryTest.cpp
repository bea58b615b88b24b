// The folder summary from the file list's menu, offscreen: its rows, their order and marks,
// the double-click that shows a file, and the CSV it writes, which is export's.
#include "WindowFixture.h"

#include "app/summary/FolderSummaryDialog.h"
#include "app/summary/FolderSummaryModel.h"
#include "cli/CliRun.h"

#include <QAction>
#include <QHeaderView>
#include <QProgressBar>
#include <QSortFilterProxyModel>
#include <QTableView>

using namespace quenloft;
using namespace quenloft::testing;

namespace {

class FolderSummary : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        write("c.kvp", fixtures::NoxFileBuilder().version("2.0").weight(900).build());
        write("a.kvp", fixtures::NoxFileBuilder()
                           .version("2.0")
                           .weight(2650)
                           .records(3, 8)
                           .separator(1, QByteArray("\0\1\0", 3))
                           .notes("Lane 2, \"wet\"\rcold")
                           .build());
        write("B.kvs", fixtures::SolvaneFileBuilder().weight(1234).build());
        write("short.kvp", QByteArray(100, 'x'));
        write("readme.txt", "not a run file");
        ASSERT_TRUE(ui.fileKVP->setPath(dir.path()).ok());
    }

    // Opens the summary from the menu and waits until every row is in.
    FolderSummaryDialog *open()
    {
        QAction *item = window.findChild<QAction *>(QStringLiteral("mnuFilePopupSummary"));
        EXPECT_NE(item, nullptr);
        item->trigger();
        auto *dialog = window.findChild<FolderSummaryDialog *>();
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([dialog] { return dialog->exportButton()->isEnabled(); }));
        return dialog;
    }

    // A CSV's records after its header, each starting with the folder's path (a record
    // may hold line breaks in its notes).
    QStringList records(const QString &csv) const
    {
        QStringList found = csv.split(QStringLiteral("\r\n") + dir.path());
        found.removeFirst();
        return found;
    }

    static QStringList column(const FolderSummaryDialog *dialog, int column)
    {
        QStringList texts;
        const QAbstractItemModel *sorted = dialog->sortedModel();
        for (int row = 0; row < sorted->rowCount(); ++row)
            texts.append(sorted->index(row, column).data().toString());
        return texts;
    }
};

constexpr int kWeight = FolderSummaryModel::FirstFieldColumn + 2;

TEST_F(FolderSummary, ListsEveryRunFileSortedAndMarksTheOnesThatNeedAttention)
{
    FolderSummaryDialog *dialog = open();
    EXPECT_EQ(dialog->progress()->value(), 4);
    // Names sort as the file list sorts them, without regard to case.
    EXPECT_EQ(column(dialog, FolderSummaryModel::FileColumn),
              QStringList({"a.kvp", "B.kvs", "c.kvp", "short.kvp"}));
    EXPECT_EQ(dialog->sortedModel()->headerData(kWeight, Qt::Horizontal).toString(),
              "Vehicle Weight");

    // Weights sort as numbers, the Solvane one in the window's pounds among the Nox ones;
    // the file without one goes last.
    dialog->table()->sortByColumn(kWeight, Qt::AscendingOrder);
    EXPECT_EQ(column(dialog, FolderSummaryModel::FileColumn),
              QStringList({"c.kvp", "a.kvp", "B.kvs", "short.kvp"}));
    EXPECT_EQ(column(dialog, kWeight), QStringList({"900", "2650", "2714.8 lbs", ""}));
    dialog->table()->sortByColumn(FolderSummaryModel::DamageColumn, Qt::AscendingOrder);
    EXPECT_EQ(column(dialog, FolderSummaryModel::DamageColumn),
              QStringList({"none", "1 damaged", "unreadable", ""}));

    // Damage and unreadable files are marked by colour and by an icon.
    const QAbstractItemModel *sorted = dialog->sortedModel();
    for (int row = 0; row < sorted->rowCount(); ++row) {
        const QModelIndex file = sorted->index(row, FolderSummaryModel::FileColumn);
        const bool marked =
            file.data().toString() == "a.kvp" || file.data().toString() == "short.kvp";
        EXPECT_EQ(file.data(Qt::DecorationRole).isValid(), marked) << row;
        EXPECT_EQ(sorted->index(row, kWeight).data(Qt::BackgroundRole).isValid(), marked) << row;
    }
}

TEST_F(FolderSummary, RowsAreOneLineHighAndTheColumnsShareAWiderDialog)
{
    FolderSummaryDialog *dialog = open();
    QTableView *table = dialog->table();
    EXPECT_LE(table->rowHeight(0), table->fontMetrics().height() + 6);
    QHeaderView *header = table->horizontalHeader();
    const auto widths = [header] {
        QList<int> w;
        for (int c = 0; c < header->count(); ++c)
            w.append(header->sectionSize(c));
        return w;
    };
    const QList<int> before = widths();
    dialog->resize(dialog->width() + 600, dialog->height());
    QApplication::processEvents();
    const QList<int> after = widths();
    int total = 0;
    for (int c = 0; c < after.size(); ++c) {
        EXPECT_GE(after[c], before[c]) << c;
        total += after[c];
    }
    EXPECT_GT(after[FolderSummaryModel::FileColumn], before[FolderSummaryModel::FileColumn]);
    EXPECT_NEAR(total, table->viewport()->width(), after.size());
}

TEST_F(FolderSummary, DoubleClickShowsTheFileInTheWindowOnce)
{
    FolderSummaryDialog *dialog = open();
    QTableView *table = dialog->table();
    const QModelIndex a = dialog->sortedModel()->index(0, FolderSummaryModel::FileColumn);
    ASSERT_EQ(a.data().toString(), "a.kvp");
    const QPoint at = table->visualRect(a).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(ui.fileKVP->fileName(), "a.kvp");
    EXPECT_EQ(window.session().path(), QDir::toNativeSeparators(dir.filePath("a.kvp")));
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2650");
    // Its damage is reported once: the file was loaded once.
    EXPECT_EQ(script.prompts.size(), 1) << script.messages().join(" | ").toStdString();
}

TEST_F(FolderSummary, ExportCsvWritesWhatExportWrites)
{
    FolderSummaryDialog *dialog = open();
    QString offered;
    QString chosen = dir.filePath("summary.csv");
    dialog->setSaveFileChooser([&](QWidget *, const QString &suggested) {
        offered = suggested;
        return chosen;
    });
    QTest::mouseClick(dialog->exportButton(), Qt::LeftButton);
    EXPECT_EQ(QFileInfo(offered).absolutePath(), dir.path());
    const fixtures::CliRun exported = fixtures::runCli({"export", dir.path()});
    EXPECT_EQ(exported.code, cli::Failed) << "short.kvp does not load";
    const QString written = QString::fromUtf8(read(chosen));
    EXPECT_EQ(written.section(QStringLiteral("\r\n"), 0, 0),
              exported.out.section(QStringLiteral("\r\n"), 0, 0));
    QStringList ours = records(written);
    QStringList theirs = records(exported.out);
    ours.sort();
    theirs.sort();
    EXPECT_EQ(ours, theirs);
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_TRUE(script.prompts[0].text.contains(QDir::toNativeSeparators(chosen)))
        << "it says where it wrote";

    // The rows go in the order the table shows them.
    dialog->table()->sortByColumn(kWeight, Qt::DescendingOrder);
    ASSERT_TRUE(dialog->exportCsv());
    QStringList files;
    for (const QString &record : records(QString::fromUtf8(read(chosen))))
        files.append(QFileInfo(record.section(u',', 0, 0)).fileName());
    EXPECT_EQ(files, column(dialog, FolderSummaryModel::FileColumn));
    EXPECT_NE(files.first(), "a.kvp");
    script.prompts.clear();

    // Never over a run file.
    const QByteArray before = read(dir.filePath("c.kvp"));
    chosen = dir.filePath("c.kvp");
    EXPECT_FALSE(dialog->exportCsv());
    EXPECT_EQ(read(chosen), before);
    EXPECT_EQ(script.prompts.size(), 1);
}

} // namespace
