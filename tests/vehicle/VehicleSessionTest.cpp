// The edit session over real files in a temporary folder: what a typed value does to the
// display and the file, the unit switch, the dirty flag and loads that fail or overlap.
#include "vehicle/VehicleSession.h"

#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/TestFiles.h"
#include "runfile/RunFileLayout.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quenloft {
namespace {

using fixtures::NoxFileBuilder;
using fixtures::SolvaneFileBuilder;

class VehicleSessionTest : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(fixtures::writeFile(path, bytes));
        return path;
    }
    // A Solvane file of 1500 kg, 1.50 m^2.
    QString solvane()
    {
        return write(QStringLiteral("run.kvs"),
                     SolvaneFileBuilder().weight(1500).frontalArea(150).coeffOfDrag(29).build());
    }
    QString nox()
    {
        return write(
            QStringLiteral("run.kvp"),
            NoxFileBuilder().version("2.0").weight(3150).records(3, 10).notes("old").build());
    }

    QTemporaryDir dir;
    VehicleSession session;
};

TEST_F(VehicleSessionTest, WhatTheEditorAcceptsIsShownSavedAndThenShownAsTheFileHoldsIt)
{
    const struct
    {
        const char *name;
        Model model;
        bool metric;
        FieldId field;
        const char *typed;
        const char *shown; // the display text after leaving the editor
        const char *saved; // after the save: what a reload shows
        qint64 offset;     // where the save stores it
        const char *storedHex;
    } rows[] = {
        {"blanks around a Nox weight", Model::Nox, false, FieldId::Weight, "  1500 ", "1500",
         "1500", NoxLayout::Weight.offset, "05dc"},
        {"a Nox weight with a fraction", Model::Nox, false, FieldId::Weight, "2700.5", "2700.5",
         "2700", NoxLayout::Weight.offset, "0a8c"},
        {"blanks around a Solvane weight", Model::Solvane, true, FieldId::Weight, "  1600",
         "1600 kgs", "1600 kgs", SolvaneLayout::Weight.offset, "4006"},
        {"imperial weight stored in kg", Model::Solvane, false, FieldId::Weight, "3520", "3520 lbs",
         "3520 lbs", SolvaneLayout::Weight.offset, "4006"},
        {"an imperial weight between two kilograms", Model::Solvane, false, FieldId::Weight, "3310",
         "3310 lbs", "3311 lbs", SolvaneLayout::Weight.offset, "e105"},
        {"a frontal area with a blank after it", Model::Solvane, true, FieldId::FrontalArea, "2.2 ",
         "2.20 m^2", "2.2 m^2", SolvaneLayout::FrontalArea.offset, "dc00"},
        {"a name keeps its blanks, which a reload drops", Model::Nox, false, FieldId::VehicleName,
         " Civic ", " Civic ", "Civic", NoxLayout::VehicleName.offset, "20436976696320"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        if (session.metric() != row.metric)
            session.switchUnits();
        const QString path = row.model == Model::Nox ? nox() : solvane();
        ASSERT_TRUE(session.open(path).ok());
        const LeaveOutcome outcome = session.leaveEditor(row.field, QString::fromLatin1(row.typed));
        ASSERT_TRUE(outcome.accepted) << outcome.message.toStdString();
        EXPECT_EQ(session.caption(row.field), QString::fromLatin1(row.shown));
        EXPECT_TRUE(session.isDirty());
        ASSERT_TRUE(session.save().ok());
        EXPECT_FALSE(session.isDirty());
        const QByteArray expected = QByteArray::fromHex(row.storedHex);
        EXPECT_EQ(fixtures::readFile(path).mid(row.offset, expected.size()), expected);

        EXPECT_EQ(session.caption(row.field), QString::fromLatin1(row.saved));
        VehicleSession reloaded;
        if (reloaded.metric() != row.metric)
            reloaded.switchUnits();
        ASSERT_TRUE(reloaded.open(path).ok());
        EXPECT_EQ(reloaded.display().values, session.display().values);
        EXPECT_EQ(reloaded.notes(), session.notes());
    }
}

TEST_F(VehicleSessionTest, ARefusedValueLeavesTheShownValueAndTheFlagAlone)
{
    ASSERT_TRUE(session.open(solvane()).ok());
    const LeaveOutcome outcome = session.leaveEditor(FieldId::CoeffOfDrag, QStringLiteral(".995"));
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.editorText, "1.00");
    EXPECT_EQ(outcome.message, "You entered a value that is out of the allowable range "
                               "(0.01-0.99).\r\nPlease correct this now.");
    EXPECT_EQ(session.caption(FieldId::CoeffOfDrag), "0.29");
    EXPECT_FALSE(session.isDirty());
    EXPECT_EQ(session.value(FieldId::Weight), "3300");
}

TEST_F(VehicleSessionTest, UnitsSwitchTheShownValuesOnlyOfASolvaneFile)
{
    session.switchUnits(); // no file yet: only the flag
    EXPECT_TRUE(session.metric());
    EXPECT_EQ(session.caption(FieldId::Weight), "");
    ASSERT_TRUE(session.open(solvane()).ok());
    EXPECT_EQ(session.caption(FieldId::Weight), "1500 kgs");
    session.switchUnits();
    EXPECT_EQ(session.caption(FieldId::Weight), "3300 lbs");
    EXPECT_EQ(session.caption(FieldId::FrontalArea), "16.14 ft^2");
    EXPECT_FALSE(session.isDirty());

    ASSERT_TRUE(session.open(nox()).ok());
    session.switchUnits();
    EXPECT_EQ(session.caption(FieldId::Weight), "3150") << "a Nox weight has no unit";
}

TEST_F(VehicleSessionTest, AFailedOrOvertakenLoadShowsNoStaleFile)
{
    ASSERT_TRUE(session.open(nox()).ok());
    const QString shortFile = write(QStringLiteral("short.kvp"), QByteArray(100, 'x'));
    EXPECT_FALSE(session.open(shortFile).ok());
    EXPECT_FALSE(session.hasFile());
    EXPECT_EQ(session.caption(FieldId::Weight), "");
    EXPECT_FALSE(session.planSave().ok());

    // A second load made while the first still reads wins; the first gives up.
    const QString second = solvane();
    bool nested = false;
    const auto first = session.open(nox(), PendingSave::Apply, [&](qint64, qint64) {
        if (!nested) {
            nested = true;
            EXPECT_TRUE(session.open(second).ok());
        }
        return true;
    });
    ASSERT_TRUE(nested);
    EXPECT_FALSE(first.ok());
    EXPECT_EQ(first.failure().number, LoadAbandoned);
    EXPECT_EQ(session.path(), second);
    EXPECT_EQ(session.caption(FieldId::Weight), "3300 lbs");
}

TEST_F(VehicleSessionTest, ChangedNotesAreSavedAndMarkTheDataChanged)
{
    const QString path = nox();
    ASSERT_TRUE(session.open(path).ok());
    EXPECT_TRUE(session.notesStorable());
    session.setNotes(QStringLiteral("old"));
    EXPECT_FALSE(session.isDirty()) << "the same notes are no change";
    session.setNotes(QStringLiteral("A\r\nB"));
    EXPECT_TRUE(session.isDirty());
    ASSERT_TRUE(session.save().ok());
    VehicleSession reread;
    ASSERT_TRUE(reread.open(path).ok());
    EXPECT_EQ(reread.notes(), "A\r\nB");
    EXPECT_TRUE(session.markChanged());
    EXPECT_FALSE(session.markChanged());
}

} // namespace
} // namespace quenloft
