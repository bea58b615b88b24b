// Loading run files into the real window: what each model shows, the records label and
// the damaged-record warning, failed loads, the unit switch, and a load overtaken by
// another.
#include "WindowFixture.h"

#include "browser/lists/DirListBox.h"
#include "runfile/RunFileLayout.h"

#include <QTimer>

using namespace quenloft;
using namespace quenloft::fixtures;
using namespace quenloft::testing;

namespace {

class Display : public WindowTest
{
};

TEST_F(Display, NoxFileShowsItsFieldsAndHidesTheSolvaneOnes)
{
    ASSERT_TRUE(load("a.kvp", NoxFileBuilder()
                                  .version("2.0.3")
                                  .runName("Friday pass")
                                  .vehicleName("Civic")
                                  .weight(2650)
                                  .rolloutTenths(125)
                                  .redline(8200)
                                  .shiftPoint(7800)
                                  .pitchFactorTenths(12)
                                  .records(112, 20)
                                  .notes("Lane 2\rWarm")
                                  .build()));
    EXPECT_EQ(window.session().model(), Model::Nox);
    EXPECT_EQ(ui.caption(FieldId::RunName)->text(), "Run Name:");
    EXPECT_EQ(ui.label(FieldId::RunName)->text(), "Friday pass");
    EXPECT_EQ(ui.label(FieldId::VehicleName)->text(), "Civic");
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2650");
    EXPECT_EQ(ui.label(FieldId::RolloutLength)->text(), "12.5");
    EXPECT_EQ(ui.label(FieldId::Redline)->text(), "8200");
    EXPECT_EQ(ui.label(FieldId::ShiftPoint)->text(), "7800");
    EXPECT_EQ(ui.label(FieldId::PitchFactor)->text(), "1.2");
    EXPECT_TRUE(ui.label(FieldId::PitchFactor)->isVisible());
    EXPECT_EQ(ui.lblVEXAVersion->text(), "VEXA Version 2.0.3");
    EXPECT_EQ(ui.lblVEXAVersion->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(ui.lblRecordsRead->text(), "112 record(s) read.");
    EXPECT_TRUE(ui.lblRecordsRead->isVisible());
    EXPECT_EQ(window.session().contents().nox.numRecords, 112);
    EXPECT_EQ(ui.txtVehicleNotes->toPlainText(), "Lane 2\nWarm");
    for (QWidget *solvane : std::initializer_list<QWidget *>{
             ui.caption(FieldId::FrontalArea), ui.label(FieldId::FrontalArea),
             ui.caption(FieldId::CoeffOfDrag), ui.label(FieldId::CoeffOfDrag),
             ui.caption(FieldId::DrivelineLoss), ui.label(FieldId::DrivelineLoss), ui.lblUnits})
        EXPECT_FALSE(solvane->isVisible()) << solvane->objectName().toStdString();
    EXPECT_EQ(ui.label(FieldId::Weight)->toolTip(),
              "The weight of the vehicle in pounds.  The range is 1 to 144,177.");
    EXPECT_EQ(state(), kFileShown);
    EXPECT_FALSE(window.session().isDirty());
    EXPECT_TRUE(script.prompts.isEmpty());
}

TEST_F(Display, OlderNoxFileHidesThePitchFactorAndAFileWithoutRunDataTheRecords)
{
    ASSERT_TRUE(load("old.kvp", NoxFileBuilder().version("1.5").build()));
    EXPECT_FALSE(ui.label(FieldId::PitchFactor)->isVisible());
    EXPECT_FALSE(ui.caption(FieldId::PitchFactor)->isVisible());
    EXPECT_EQ(ui.label(FieldId::PitchFactor)->text(), "n/a");
    EXPECT_FALSE(ui.lblRecordsRead->isVisible());
    EXPECT_EQ(ui.txtVehicleNotes->toPlainText(), "");
}

TEST_F(Display, UnknownVersionIsShownInRed)
{
    ASSERT_TRUE(load("u.kvp", NoxFileBuilder().versionArea(QByteArray(11, 'x') + "2.0").build()));
    EXPECT_EQ(ui.lblVEXAVersion->text(), "Unknown VEXA Version");
    EXPECT_EQ(ui.lblVEXAVersion->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(Display, DamagedRecordsAreReportedOnRequest)
{
    NoxFileBuilder builder;
    builder.records(5, 10).separator(1, QByteArray("\x00\x01\x00", 3));
    const QString position = QString::number(builder.separatorOffset(1) + 1);

    script.answers = {false};
    ASSERT_TRUE(load("d.kvp", builder.build()));
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(script.prompts[0].kind, Prompt::Question);
    EXPECT_EQ(script.prompts[0].text,
              "Warning:  errors were found in the run data of KVP file, it may be corrupted.\r\n"
              "Do you want to see where the errors were found?");
    EXPECT_EQ(state(), kFileShown) << "a damaged file is still shown";

    script.prompts.clear();
    script.answers = {true};
    ASSERT_TRUE(select("d.kvp"));
    ASSERT_EQ(script.prompts.size(), 2);
    EXPECT_EQ(script.prompts[1].text, "Error(s) found at: " + position);
    EXPECT_EQ(script.prompts[1].icon, PromptIcon::Information);
}

TEST_F(Display, SolvaneFileFollowsTheUnitSystem)
{
    ASSERT_TRUE(load("s.kvs", SolvaneFileBuilder()
                                  .weight(1000)
                                  .frontalArea(150)
                                  .coeffOfDrag(35)
                                  .drivelineLoss(15)
                                  .runDate(3, 7, 5, 14, 5, 9)
                                  .notes("Windy")
                                  .build()));
    EXPECT_EQ(window.session().model(), Model::Solvane);
    EXPECT_EQ(ui.lblVEXAVersion->text(), "Solvane VEXA v1.0");
    EXPECT_EQ(ui.caption(FieldId::RunName)->text(), "Run Date:");
    EXPECT_EQ(ui.label(FieldId::RunName)->text(), "3/7/2005 2:05:09 PM");
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2200 lbs");
    EXPECT_EQ(ui.label(FieldId::FrontalArea)->text(), "16.14 ft^2");
    EXPECT_EQ(ui.label(FieldId::CoeffOfDrag)->text(), "0.35");
    EXPECT_EQ(ui.label(FieldId::DrivelineLoss)->text(), "15%");
    EXPECT_EQ(ui.txtVehicleNotes->toPlainText(), "Windy");
    EXPECT_TRUE(ui.lblUnits->isVisible());
    EXPECT_EQ(ui.lblUnits->text(), "Imperial Units");
    EXPECT_FALSE(ui.label(FieldId::VehicleName)->isVisible());
    EXPECT_FALSE(ui.label(FieldId::PitchFactor)->isVisible());

    click(ui.lblUnits);
    EXPECT_TRUE(window.session().metric());
    EXPECT_EQ(ui.lblUnits->text(), "Metric Units");
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "1000 kgs");
    EXPECT_EQ(ui.label(FieldId::FrontalArea)->text(), "1.5 m^2");
    EXPECT_EQ(ui.editor(FieldId::Weight)->toolTip(),
              "The weight of the vehicle in kilograms.  The range is 1 to 65,535.");
    EXPECT_EQ(ui.label(FieldId::FrontalArea)->toolTip(),
              "The frontal area of the vehicle in square meters.  The range is 0.1 to 655.");

    ASSERT_TRUE(select("s.kvs")) << "a reload shows the current units";
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "1000 kgs");
    click(ui.lblUnits);
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2200 lbs");
    EXPECT_EQ(ui.label(FieldId::FrontalArea)->text(), "16.14 ft^2");
}

TEST_F(Display, UnitSwitchWithoutAFileOnlyChangesCaptionAndToolTips)
{
    ui.lblUnits->show();
    click(ui.lblUnits);
    EXPECT_EQ(ui.lblUnits->text(), "Metric Units");
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "");
    EXPECT_EQ(ui.label(FieldId::FrontalArea)->toolTip(),
              "The frontal area of the vehicle in square meters.  The range is 0.1 to 655.");
}

TEST_F(Display, SwitchingModelsEmptiesTheOtherModelsValues)
{
    ASSERT_TRUE(load("s.kvs", SolvaneFileBuilder().build()));
    ASSERT_TRUE(load("n.kvp", NoxFileBuilder().build()));
    EXPECT_EQ(ui.label(FieldId::FrontalArea)->text(), "");
    EXPECT_EQ(ui.label(FieldId::DrivelineLoss)->text(), "");
    ASSERT_TRUE(select("s.kvs"));
    EXPECT_EQ(ui.label(FieldId::VehicleName)->text(), "");
    EXPECT_EQ(ui.label(FieldId::Redline)->text(), "");
    EXPECT_EQ(ui.label(FieldId::PitchFactor)->text(), "");
    EXPECT_EQ(window.backgroundPicture().toImage(), ui.imageSolvane->pixmap().toImage());
}

TEST_F(Display, FileNameEndingChoosesModelAndPictureInAnyCase)
{
    const QImage nox = ui.imageNox->pixmap().toImage();
    const QImage solvane = ui.imageSolvane->pixmap().toImage();
    ASSERT_TRUE(load("run.KvP", NoxFileBuilder().build()));
    EXPECT_EQ(window.session().model(), Model::Nox);
    EXPECT_EQ(window.backgroundPicture().toImage(), nox);
    ASSERT_TRUE(load("run.KVS", SolvaneFileBuilder().build()));
    EXPECT_EQ(window.session().model(), Model::Solvane);
    EXPECT_EQ(window.backgroundPicture().toImage(), solvane);
}

TEST_F(Display, FailedLoadsSayWhyAndNeverOfferSave)
{
    ASSERT_TRUE(load("good.kvp", NoxFileBuilder().runName("Good").build()));
    click(ui.cmdEdit);

    EXPECT_FALSE(load("short.kvp", QByteArray(200, '\x01')));
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(script.prompts[0].icon, PromptIcon::Stop);
    EXPECT_TRUE(script.prompts[0].text.startsWith("Error (62) - "));
    EXPECT_TRUE(script.prompts[0].text.endsWith(" - loading file [short.kvp]!\r\nFile may be in "
                                                "use by VEXA, corrupt, or otherwise locked."));
    EXPECT_EQ(state(), kNoFile);
    EXPECT_EQ(ui.label(FieldId::RunName)->text(), "") << "nothing of another file stays on show";
    EXPECT_EQ(ui.lblVEXAVersion->text(), "");

    script.prompts.clear();
    EXPECT_FALSE(load("bad.kvs", SolvaneFileBuilder().runDate(13, 40, 5, 25, 0, 0).build()));
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_TRUE(script.prompts[0].text.startsWith("Error (13) - "));
    EXPECT_EQ(state(), kNoFile);
}

TEST_F(Display, MissingOrUnselectedFileIsReported)
{
    // A file removed after the list was read is still listed when it is clicked.
    write("gone.kvp", NoxFileBuilder().build());
    ASSERT_TRUE(ui.fileKVP->setPath(dir.path()).ok());
    QFile::remove(dir.filePath("gone.kvp"));
    ASSERT_TRUE(ui.fileKVP->setFileName("gone.kvp")); // as a click on it
    EXPECT_FALSE(window.session().hasFile());
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(script.prompts[0].text,
              "The file does not exist!\r\nThe file list will be refreshed.");
    EXPECT_EQ(script.prompts[0].icon, PromptIcon::Exclamation);
    EXPECT_FALSE(ui.fileKVP->fileNames().contains("gone.kvp")) << "the list was refreshed";

    // Undo after the user cleared the selection has no file to read.
    ASSERT_TRUE(load("a.kvp", NoxFileBuilder().build()));
    click(ui.cmdEdit);
    ui.fileKVP->clearSelection();
    script.prompts.clear();
    click(ui.cmdUndo);
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(script.prompts[0].text, "You must select a VEXA file first!");
}

TEST_F(Display, ALoadOvertakenByAnotherSelectionLeavesTheLaterFileOnShow)
{
    // Several scan windows of run data, and the events let through at every one.
    write("big.kvp", NoxFileBuilder().runName("Big").records(100000, 40).build());
    write("small.kvs", SolvaneFileBuilder().weight(1234).build());
    window.setScanEventInterval(0);
    bool nestedLoaded = false;
    QTimer::singleShot(0, &window, [&] { nestedLoaded = select("small.kvs"); });

    EXPECT_FALSE(select("big.kvp")) << "the first load gives up";
    EXPECT_TRUE(nestedLoaded);
    EXPECT_EQ(window.session().model(), Model::Solvane);
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2714.8 lbs");
    EXPECT_EQ(ui.label(FieldId::RunName)->text(), "3/7/2005 2:05:09 PM");
    EXPECT_FALSE(ui.lblRecordsRead->isVisible());
    EXPECT_EQ(state(), kFileShown);
    ASSERT_TRUE(window.session().hasFile());
    EXPECT_EQ(window.session().contents().model, Model::Solvane);
}

TEST_F(Display, ChangingTheFolderAbandonsALoadInProgress)
{
    write("big.kvp", NoxFileBuilder().records(100000, 40).build());
    QTemporaryDir other;
    window.setScanEventInterval(0);
    QTimer::singleShot(0, &window, [&] { (void)ui.dirKVP->setPath(other.path()); });
    EXPECT_FALSE(select("big.kvp"));
    EXPECT_EQ(state(), kNoFile) << "nothing of a file in the folder left is offered";
    EXPECT_FALSE(window.session().hasFile());
}

TEST_F(Display, ClosingTheWindowAbandonsALoadInProgress)
{
    write("big.kvp", NoxFileBuilder().records(100000, 40).build());
    window.setScanEventInterval(0);
    QTimer::singleShot(0, &window, [&] { window.close(); });
    EXPECT_FALSE(select("big.kvp"));
    EXPECT_TRUE(script.prompts.isEmpty());
}

} // namespace
