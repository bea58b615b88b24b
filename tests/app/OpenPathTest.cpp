// Run files and folders handed to the window from outside: named on the command line after
// start-up, or dropped on the window.
#include "ScriptedPrompter.h"
#include "WindowFixture.h"
#include "app/program/Preferences.h"
#include "app/window/frmMain.h"
#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/TestFiles.h"

#include <QAction>
#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>

using namespace quenloft;
using namespace quenloft::testing;

namespace {

// A window after the normal start-up, with a stored folder of its own, and a folder of
// run files beside it.
class FromOutside : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath("start"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("runs/sub"));
        Preferences(ini).setValue("Options", "LastDirectory", path("start"));
        write("runs/run.kvp",
              fixtures::NoxFileBuilder().version("2.0.3").vehicleName("Civic").build());
        write("runs/HIGH.KVS", fixtures::SolvaneFileBuilder().build());
        write("runs/short.kvp", "\x01");
        write("runs/notes.txt", "not a run");
        write("runs/sub/inner.kvp", fixtures::NoxFileBuilder().version("2.0").build());
    }

    void start()
    {
        script = {};
        window = std::make_unique<frmMain>();
        window->setPrompter(std::make_unique<ScriptedPrompter>(script));
        window->Form_Load(std::make_unique<Preferences>(ini));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ui.emplace(*window);
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes)
    {
        ASSERT_TRUE(fixtures::writeFile(path(name), bytes)) << name.toStdString();
    }

    // Edit, Undo, Save, editors, lblUnits, notes locked; then whether the file commands
    // are enabled.
    QString state() const
    {
        auto bit = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
        return bit(ui->cmdEdit->isEnabled()) + bit(ui->cmdUndo->isEnabled()) +
               bit(ui->cmdSave->isEnabled()) + bit(ui->editor(FieldId::Weight)->isEnabled()) +
               bit(ui->lblUnits->isEnabled()) + bit(ui->txtVehicleNotes->isReadOnly()) + u' ' +
               bit(ui->mnuFilePopupEdit->isEnabled());
    }

    QTemporaryDir dir;
    const QString ini = dir.filePath("prefs.ini");
    ScriptedPrompter::Script script;
    std::unique_ptr<frmMain> window;
    std::optional<WindowControls> ui;
};

const QString kShown = kFileShown + " 1";
const QString kNothingShown = kNoFile + " 0";

TEST_F(FromOutside, CommandLinePathsAfterStartUp)
{
    const struct
    {
        const char *given; // relative to the temporary folder
        const char *folder;
        const char *selected;
        std::optional<Model> model;
        QString state;
        const char *message; // the start of the one message shown, or nothing
    } cases[] = {
        {"runs/run.kvp", "runs", "run.kvp", Model::Nox, kShown, ""},
        {"runs/HIGH.KVS", "runs", "HIGH.KVS", Model::Solvane, kShown, ""},
        {"runs/./sub/../run.kvp", "runs", "run.kvp", Model::Nox, kShown, ""},
        {"runs/sub", "runs/sub", "", std::nullopt, kNothingShown, ""},
        {"runs/sub/", "runs/sub", "", std::nullopt, kNothingShown, ""},
        {"runs/short.kvp", "runs", "short.kvp", Model::Nox, kNothingShown, "Error ("},
        {"runs/gone.kvp", "start", "", std::nullopt, kNothingShown, "The path ["},
        {"gone/runs", "start", "", std::nullopt, kNothingShown, "The path ["},
        {"runs/notes.txt", "start", "", std::nullopt, kNothingShown, "The file ["},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.given);
        start();
        window->showPathFromOutside(path(c.given));
        EXPECT_EQ(ui->dirKVP->path(), path(c.folder));
        EXPECT_EQ(ui->fileKVP->path(), path(c.folder));
        EXPECT_EQ(ui->fileKVP->fileName(), c.selected);
        EXPECT_EQ(window->session().model(), c.model);
        EXPECT_EQ(state(), c.state);
        const QString message = c.message;
        EXPECT_EQ(script.prompts.size(), message.isEmpty() ? 0 : 1)
            << script.messages().join('|').toStdString();
        if (!message.isEmpty()) {
            EXPECT_TRUE(script.messages().value(0).startsWith(message));
        }
    }
    // The messages name the path as given, made absolute.
    EXPECT_EQ(script.messages(),
              QStringList({"The file [" + QDir::toNativeSeparators(path("runs/notes.txt")) +
                           "] is not a VEXA file (*.KVP, *.KVS)!"}));
}

TEST_F(FromOutside, FileShownAsAClickShowsIt)
{
    start();
    window->showPathFromOutside(path("runs/run.kvp"));
    EXPECT_EQ(ui->label(FieldId::VehicleName)->text(), "Civic");
    EXPECT_EQ(ui->fileKVP->toolTip(), "run.kvp");
    EXPECT_EQ(window->backgroundPicture().cacheKey(), ui->imageNox->pixmap().cacheKey());

    // One that arrived after the folder was read is found all the same.
    write("runs/late.kvs", fixtures::SolvaneFileBuilder().build());
    window->showPathFromOutside(path("runs/late.kvs"));
    EXPECT_EQ(ui->fileKVP->fileName(), "late.kvs");
    EXPECT_EQ(window->session().model(), Model::Solvane);
    EXPECT_EQ(state(), kShown);
    EXPECT_TRUE(script.prompts.isEmpty());
}

QMimeData *urls(const QList<QUrl> &list)
{
    auto *data = new QMimeData;
    data->setUrls(list);
    return data;
}

struct Taken
{
    bool enter, move, drop;
    Qt::DropAction action;
};

// A drag that enters `receiver`, moves over the window and is dropped; a drop reaches only
// the widget that took the drag.
Taken dragAndDrop(QWidget *receiver, QWidget *window, const QMimeData *data,
                  Qt::DropActions offered)
{
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, offered, data, Qt::LeftButton, {});
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(receiver, &enter);
    QDragMoveEvent move(at, offered, data, Qt::LeftButton, {});
    move.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(window, &move);
    QDropEvent drop(at, offered, data, Qt::LeftButton, {});
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(window, &drop);
    return {enter.isAccepted(), move.isAccepted(), drop.isAccepted(), drop.dropAction()};
}

TEST_F(FromOutside, DropsOfOneRunFileOrFolderOnly)
{
    start();
    const QUrl run = QUrl::fromLocalFile(path("runs/run.kvp"));
    const QUrl folder = QUrl::fromLocalFile(path("runs/sub"));
    auto text = [] {
        auto *data = new QMimeData;
        data->setText("runs/run.kvp");
        return data;
    };
    const struct
    {
        const char *name;
        QMimeData *data;
        Qt::DropActions offered;
        bool taken;
    } cases[] = {
        {"run file", urls({run}), Qt::CopyAction | Qt::MoveAction, true},
        {"run file, link only", urls({run}), Qt::LinkAction, true},
        {"folder", urls({folder}), Qt::CopyAction, true},
        {"run file, move only", urls({run}), Qt::MoveAction, false},
        {"two run files", urls({run, QUrl::fromLocalFile(path("runs/HIGH.KVS"))}), Qt::CopyAction,
         false},
        {"other file", urls({QUrl::fromLocalFile(path("runs/notes.txt"))}), Qt::CopyAction, false},
        {"missing file", urls({QUrl::fromLocalFile(path("runs/gone.kvp"))}), Qt::CopyAction, false},
        {"web address", urls({QUrl("https://quenloft.example/run.kvp")}), Qt::CopyAction, false},
        {"text", text(), Qt::CopyAction, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QMimeData> owned(c.data);
        // Over a label, which takes no drops itself: the window gets it.
        const Taken taken =
            dragAndDrop(ui->label(FieldId::VehicleName), window.get(), c.data, c.offered);
        EXPECT_EQ(taken.enter, c.taken);
        EXPECT_EQ(taken.move, c.taken);
        EXPECT_EQ(taken.drop, c.taken);
        if (c.taken) {
            EXPECT_NE(taken.action, Qt::MoveAction) << "a move would remove the source";
        }
        QCoreApplication::processEvents();
    }
    // The taken drops showed their file, then the folder; the others did nothing.
    EXPECT_EQ(ui->fileKVP->path(), path("runs/sub"));
    EXPECT_EQ(ui->fileKVP->fileNames(), QStringList{"inner.kvp"});
    EXPECT_EQ(ui->label(FieldId::VehicleName)->text(), "Civic")
        << "the file shown before the folder";
    EXPECT_TRUE(script.prompts.isEmpty()) << script.messages().join('|').toStdString();

    const std::unique_ptr<QMimeData> data(urls({run}));
    EXPECT_TRUE(dragAndDrop(window.get(), window.get(), data.get(), Qt::CopyAction).drop);
    EXPECT_EQ(ui->fileKVP->fileName(), "") << "shown only once the drop is over";
    QCoreApplication::processEvents();
    EXPECT_EQ(ui->fileKVP->path(), path("runs"));
    EXPECT_EQ(ui->fileKVP->fileName(), "run.kvp");
    EXPECT_EQ(state(), kShown);
}

} // namespace
