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
    EXPECT_EQ(window.strMode, "Nox");
    EXPECT_EQ(window.fieldCaption(FieldId::RunName)->text(), "Run Name:");
    EXPECT_EQ(window.fieldLabel(FieldId::RunName)->text(), "Friday pass");
    EXPECT_EQ(window.fieldLabel(FieldId::VehicleName)->text(), "Civic");
    EXPECT_EQ(window.fieldLabel(FieldId::Weight)->text(), "2650");
    EXPECT_EQ(window.fieldLabel(FieldId::RolloutLength)->text(), "12.5");
    EXPECT_EQ(window.fieldLabel(FieldId::Redline)->text(), "8200");
    EXPECT_EQ(window.fieldLabel(FieldId::ShiftPoint)->text(), "7800");
    EXPECT_EQ(window.fieldLabel(FieldId::PitchFactor)->text(), "1.2");
    EXPECT_TRUE(window.fieldLabel(FieldId::PitchFactor)->isVisible());
    EXPECT_EQ(window.lblVEXAVersion()->text(), "VEXA Version 2.0.3");
    EXPECT_EQ(window.lblVEXAVersion()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(window.lblRecordsRead()->text(), "112 record(s) read.");
    EXPECT_TRUE(window.lblRecordsRead()->isVisible());
    EXPECT_EQ(window.lngNumRecords, 112);
    EXPECT_EQ(window.txtVehicleNotes()->toPlainText(), "Lane 2\nWarm");
    for (QWidget *solvane : std::initializer_list<QWidget *>{
             window.fieldCaption(FieldId::FrontalArea), window.fieldLabel(FieldId::FrontalArea),
             window.fieldCaption(FieldId::CoeffOfDrag), window.fieldLabel(FieldId::CoeffOfDrag),
             window.fieldCaption(FieldId::DrivelineLoss), window.fieldLabel(FieldId::DrivelineLoss),
             window.lblUnits()})
        EXPECT_FALSE(solvane->isVisible()) << solvane->objectName().toStdString();
    EXPECT_EQ(window.fieldLabel(FieldId::Weight)->toolTip(),
              "The weight of the vehicle in pounds.  The range is 1 to 144,177.");
    EXPECT_EQ(state(), kFileShown);
    EXPECT_FALSE(window.blnDirtyData);
    EXPECT_TRUE(script.prompts.isEmpty());
}

TEST_F(Display, OlderNoxFileHidesThePitchFactorAndAFileWithoutRunDataTheRecords)
{
    ASSERT_TRUE(load("old.kvp", NoxFileBuilder().version("1.5").build()));
    EXPECT_FALSE(window.fieldLabel(FieldId::PitchFactor)->isVisible());
    EXPECT_FALSE(window.fieldCaption(FieldId::PitchFactor)->isVisible());
    EXPECT_EQ(window.fieldLabel(FieldId::PitchFactor)->text(), "n/a");
    EXPECT_FALSE(window.lblRecordsRead()->isVisible());
    EXPECT_EQ(window.txtVehicleNotes()->toPlainText(), "");
}

TEST_F(Display, UnknownVersionIsShownInRed)
{
    ASSERT_TRUE(load("u.kvp", NoxFileBuilder().versionArea(QByteArray(11, 'x') + "2.0").build()));
    EXPECT_EQ(window.lblVEXAVersion()->text(), "Unknown VEXA Version");
    EXPECT_EQ(window.lblVEXAVersion()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
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
    EXPECT_EQ(window.strMode, "Solvane");
    EXPECT_EQ(window.lblVEXAVersion()->text(), "Solvane VEXA v1.0");
    EXPECT_EQ(window.fieldCaption(FieldId::RunName)->text(), "Run Date:");
    EXPECT_EQ(window.fieldLabel(FieldId::RunName)->text(), "3/7/2005 2:05:09 PM");
    EXPECT_EQ(window.fieldLabel(FieldId::Weight)->text(), "2200 lbs");
    EXPECT_EQ(window.fieldLabel(FieldId::FrontalArea)->text(), "16.14 ft^2");
    EXPECT_EQ(window.fieldLabel(FieldId::CoeffOfDrag)->text(), "0.35");
    EXPECT_EQ(window.fieldLabel(FieldId::DrivelineLoss)->text(), "15%");
    EXPECT_EQ(window.txtVehicleNotes()->toPlainText(), "Windy");
    EXPECT_TRUE(window.lblUnits()->isVisible());
    EXPECT_EQ(window.lblUnits()->text(), "Imperial Units");
    EXPECT_FALSE(window.fieldLabel(FieldId::VehicleName)->isVisible());
    EXPECT_FALSE(window.fieldLabel(FieldId::PitchFactor)->isVisible());

    click(window.lblUnits());
    EXPECT_TRUE(window.blnMetricUnits);
    EXPECT_EQ(window.lblUnits()->text(), "Metric Units");
    EXPECT_EQ(window.fieldLabel(FieldId::Weight)->text(), "1000 kgs");
    EXPECT_EQ(window.fieldLabel(FieldId::FrontalArea)->text(), "1.5 m^2");
    EXPECT_EQ(window.fieldEditor(FieldId::Weight)->toolTip(),
              "The weight of the vehicle in kilograms.  The range is 1 to 65,535.");
    EXPECT_EQ(window.fieldLabel(FieldId::FrontalArea)->toolTip(),
              "The frontal area of the vehicle in square meters.  The range is 0.1 to 655.");

    ASSERT_TRUE(select("s.kvs")) << "a reload shows the current units";
    EXPECT_EQ(window.fieldLabel(FieldId::Weight)->text(), "1000 kgs");
    click(window.lblUnits());
    EXPECT_EQ(window.fieldLabel(FieldId::Weight)->text(), "2200 lbs");
    EXPECT_EQ(window.fieldLabel(FieldId::FrontalArea)->text(), "16.14 ft^2");
}

TEST_F(Display, UnitSwitchWithoutAFileOnlyChangesCaptionAndToolTips)
{
    window.lblUnits()->show();
    click(window.lblUnits());
    EXPECT_EQ(window.lblUnits()->text(), "Metric Units");
    EXPECT_EQ(window.fieldLabel(FieldId::Weight)->text(), "");
    EXPECT_EQ(window.fieldLabel(FieldId::FrontalArea)->toolTip(),
              "The frontal area of the vehicle in square meters.  The range is 0.1 to 655.");
}

TEST_F(Display, SwitchingModelsEmptiesTheOtherModelsValues)
{
    ASSERT_TRUE(load("s.kvs", SolvaneFileBuilder().build()));
    ASSERT_TRUE(load("n.kvp", NoxFileBuilder().build()));
    EXPECT_EQ(window.fieldLabel(FieldId::FrontalArea)->text(), "");
    EXPECT_EQ(window.fieldLabel(FieldId::DrivelineLoss)->text(), "");
    ASSERT_TRUE(select("s.kvs"));
    EXPECT_EQ(window.fieldLabel(FieldId::VehicleName)->text(), "");
    EXPECT_EQ(window.fieldLabel(FieldId::Redline)->text(), "");
    EXPECT_EQ(window.fieldLabel(FieldId::PitchFactor)->text(), "");
    EXPECT_EQ(window.backgroundPicture().toImage(), window.imageSolvane()->pixmap().toImage());
}

TEST_F(Display, FileNameChoosesModelAndPicture)
{
    const QImage nox = window.imageNox()->pixmap().toImage();
    const QImage solvane = window.imageSolvane()->pixmap().toImage();
    window.SetModelFromFileName("run.KvP");
    EXPECT_EQ(window.strMode, "Nox");
    EXPECT_EQ(window.backgroundPicture().toImage(), nox);
    window.SetModelFromFileName("run.dat");
    EXPECT_EQ(window.strMode, "Solvane");
    EXPECT_EQ(window.backgroundPicture().toImage(), nox) << "another ending keeps the picture";
    window.SetModelFromFileName("run.KVS");
    EXPECT_EQ(window.strMode, "Solvane");
    EXPECT_EQ(window.backgroundPicture().toImage(), solvane);
}

TEST_F(Display, FailedLoadsSayWhyAndNeverOfferSave)
{
    ASSERT_TRUE(load("good.kvp", NoxFileBuilder().runName("Good").build()));
    window.cmdEdit_Click();

    EXPECT_FALSE(load("short.kvp", QByteArray(200, '\x01')));
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(script.prompts[0].icon, PromptIcon::Stop);
    EXPECT_TRUE(script.prompts[0].text.startsWith("Error (62) - "));
    EXPECT_TRUE(script.prompts[0].text.endsWith(" - loading file [short.kvp]!\r\nFile may be in "
                                                "use by VEXA, corrupt, or otherwise locked."));
    EXPECT_EQ(state(), kNoFile);
    EXPECT_EQ(window.fieldLabel(FieldId::RunName)->text(), "")
        << "nothing of another file stays on show";
    EXPECT_EQ(window.lblVEXAVersion()->text(), "");

    script.prompts.clear();
    EXPECT_FALSE(load("bad.kvs", SolvaneFileBuilder().runDate(13, 40, 5, 25, 0, 0).build()));
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_TRUE(script.prompts[0].text.startsWith("Error (13) - "));
    EXPECT_EQ(state(), kNoFile);
}

TEST_F(Display, MissingOrUnselectedFileIsReported)
{
    write("gone.kvp", NoxFileBuilder().build());
    {
        const QSignalBlocker quiet(window.fileKVP());
        ASSERT_TRUE(window.fileKVP()->setPath(dir.path()).ok());
        ASSERT_TRUE(window.fileKVP()->setFileName("gone.kvp"));
    }
    QFile::remove(dir.filePath("gone.kvp"));
    EXPECT_FALSE(window.LoadRunFile());
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_EQ(script.prompts[0].text,
              "The file does not exist!\r\nThe file list will be refreshed.");
    EXPECT_EQ(script.prompts[0].icon, PromptIcon::Exclamation);
    EXPECT_FALSE(window.fileKVP()->fileNames().contains("gone.kvp")) << "the list was refreshed";

    script.prompts.clear();
    {
        const QSignalBlocker quiet(window.fileKVP());
        window.fileKVP()->clearSelection();
    }
    EXPECT_FALSE(window.LoadRunFile());
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
    EXPECT_EQ(window.strMode, "Solvane");
    EXPECT_EQ(window.fieldLabel(FieldId::Weight)->text(), "2714.8 lbs");
    EXPECT_EQ(window.fieldLabel(FieldId::RunName)->text(), "3/7/2005 2:05:09 PM");
    EXPECT_FALSE(window.lblRecordsRead()->isVisible());
    EXPECT_EQ(state(), kFileShown);
    ASSERT_TRUE(window.session().hasFile());
    EXPECT_EQ(window.session().loadedFile().model, Model::Solvane);
}

TEST_F(Display, ChangingTheFolderAbandonsALoadInProgress)
{
    write("big.kvp", NoxFileBuilder().records(100000, 40).build());
    QTemporaryDir other;
    window.setScanEventInterval(0);
    QTimer::singleShot(0, &window, [&] { (void)window.dirKVP()->setPath(other.path()); });
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
