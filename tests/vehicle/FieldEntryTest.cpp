#include "vehicle/FieldEntry.h"

#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

namespace quenloft {
namespace {

QString rangeMessage(const char *bounds)
{
    return QStringLiteral("You entered a value that is out of the allowable range (") +
           QString::fromLatin1(bounds) + QStringLiteral(").\r\nPlease correct this now.");
}

TEST(OutOfRangeMessage, FiveFixedPiecesAroundTheBounds)
{
    EXPECT_EQ(OutOfRangeMessage(QStringLiteral("0.01"), QStringLiteral("0.99")),
              rangeMessage("0.01-0.99"));
}

TEST(LeaveEditor, NormalisesChecksAndFormatsEachField)
{
    constexpr Model Nox = Model::Nox;
    constexpr Model Solvane = Model::Solvane;
    const struct
    {
        const char *name;
        FieldId field;
        Model model;
        bool metric;
        const char *typed;
        const char *editorText; // after normalising
        const char *caption;    // when accepted, else the bounds of the message
        bool accepted;
    } rows[] = {
        {"drag .355 becomes 0.36", FieldId::CoeffOfDrag, Solvane, true, ".355", "0.36", "0.36",
         true},
        {"drag .005 becomes 0.01", FieldId::CoeffOfDrag, Solvane, true, ".005", "0.01", "0.01",
         true},
        {"drag .995 becomes 1.00 and fails", FieldId::CoeffOfDrag, Solvane, true, ".995", "1.00",
         "0.01-0.99", false},
        {"drag .004 becomes 0.00 and fails", FieldId::CoeffOfDrag, Solvane, false, ".004", "0.00",
         "0.01-0.99", false},
        {"drag 0.99 is the largest", FieldId::CoeffOfDrag, Solvane, true, "0.99", "0.99", "0.99",
         true},
        {"drag abc stays abc and fails", FieldId::CoeffOfDrag, Solvane, true, "abc", "abc",
         "0.01-0.99", false},
        {"driveline .5 is cut to 0 and fails", FieldId::DrivelineLoss, Solvane, true, ".5", "0",
         "1-99", false},
        {"driveline 9. becomes 9%", FieldId::DrivelineLoss, Solvane, true, "9.", "9", "9%", true},
        {"driveline 99.9 is cut to 99", FieldId::DrivelineLoss, Solvane, true, "99.9", "99", "99%",
         true},
        {"driveline 1 is the smallest", FieldId::DrivelineLoss, Solvane, false, "1", "1", "1%",
         true},
        {"driveline 100 fails", FieldId::DrivelineLoss, Solvane, true, "100", "100", "1-99", false},
        {"rollout 2.25 becomes 2.3", FieldId::RolloutLength, Nox, false, "2.25", "2.3", "2.3",
         true},
        {"rollout 25.5 is the largest", FieldId::RolloutLength, Nox, false, "25.5", "25.5", "25.5",
         true},
        {"rollout 25.6 fails", FieldId::RolloutLength, Nox, false, "25.6", "25.6", "0-25.5", false},
        {"rollout 0 shows 0.0", FieldId::RolloutLength, Nox, false, "0", "0.0", "0.0", true},
        {"rollout 1e39 is too large for single precision and stays", FieldId::RolloutLength, Nox,
         false, "1e39", "1e39", "0-25.5", false},
        {"imperial area 100 shows 100.000 ft^2", FieldId::FrontalArea, Solvane, false, "100",
         "100.000", "100.000 ft^2", true},
        {"imperial area 7051 is the largest", FieldId::FrontalArea, Solvane, false, "7051",
         "7051.000", "7051.000 ft^2", true},
        {"imperial area 7052 fails", FieldId::FrontalArea, Solvane, false, "7052", "7052.000",
         "0.001-7051", false},
        {"imperial area .001 is the smallest", FieldId::FrontalArea, Solvane, false, ".001",
         "0.001", "0.001 ft^2", true},
        {"metric area 655.004 becomes 655.00", FieldId::FrontalArea, Solvane, true, "655.004",
         "655.00", "655.00 m^2", true},
        {"metric area 655.005 becomes 655.01 and fails", FieldId::FrontalArea, Solvane, true,
         "655.005", "655.01", "0.01-655", false},
        {"metric area .004 becomes 0.00 and fails", FieldId::FrontalArea, Solvane, true, ".004",
         "0.00", "0.01-655", false},
        {"pitch 9.9 is accepted", FieldId::PitchFactor, Nox, false, "9.9", "9.9", "9.9", true},
        {"pitch 9.95 is not rounded before the check", FieldId::PitchFactor, Nox, false, "9.95",
         "9.95", "0-9.9", false},
        {"pitch 10 fails", FieldId::PitchFactor, Nox, false, "10", "10", "0-9.9", false},
        {"pitch .5 is not reformatted", FieldId::PitchFactor, Nox, false, ".5", ".5", ".5", true},
        {"redline 0 fails", FieldId::Redline, Nox, false, "0", "0", "1-65535", false},
        {"an empty redline fails", FieldId::Redline, Nox, false, "", "", "1-65535", false},
        {"redline 65535 is the largest", FieldId::Redline, Nox, false, "65535", "65535", "65535",
         true},
        {"shift point 65535.5 rounds to 65536 and fails", FieldId::ShiftPoint, Nox, false,
         "65535.5", "65535.5", "1-65535", false},
        {"shift point 0.5 rounds to 0 and fails", FieldId::ShiftPoint, Nox, false, "0.5", "0.5",
         "1-65535", false},
        {"shift point 1.5 rounds to 2", FieldId::ShiftPoint, Nox, false, "1.5", "1.5", "1.5", true},
        {"a number beyond 32 bits fails", FieldId::ShiftPoint, Nox, false, "99999999999",
         "99999999999", "1-65535", false},
        {"Nox weight 1234.6 is accepted as typed", FieldId::Weight, Nox, false, "1234.6", "1234.6",
         "1234.6", true},
        {"Nox weight 65536 fails", FieldId::Weight, Nox, false, "65536", "65536", "1-65535", false},
        {"Solvane imperial weight 144177 is the largest", FieldId::Weight, Solvane, false, "144177",
         "144177", "144177 lbs", true},
        {"Solvane imperial weight 144178 fails", FieldId::Weight, Solvane, false, "144178",
         "144178", "1-144177", false},
        {"Solvane metric weight 1500 shows kgs", FieldId::Weight, Solvane, true, "1500", "1500",
         "1500 kgs", true},
        {"Solvane metric weight 65536 fails", FieldId::Weight, Solvane, true, "65536", "65536",
         "1-65535", false},
        {"names are taken as typed", FieldId::VehicleName, Nox, false, " 12 x ", " 12 x ", " 12 x ",
         true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const LeaveOutcome outcome =
            LeaveEditor(row.field, row.model, row.metric, QString::fromLatin1(row.typed));
        EXPECT_EQ(outcome.accepted, row.accepted);
        EXPECT_EQ(outcome.editorText, QString::fromLatin1(row.editorText));
        if (row.accepted) {
            EXPECT_EQ(outcome.value + SuffixOf(row.field, row.model, row.metric),
                      QString::fromLatin1(row.caption));
        } else {
            EXPECT_EQ(outcome.message, rangeMessage(row.caption));
        }
    }
}

TEST(CheckRange, BoundsAreWrittenInTheirShortestForm)
{
    EXPECT_EQ(CheckIntegerRange(QStringLiteral("x"), 1, 144177).message, rangeMessage("1-144177"));
    EXPECT_EQ(CheckRealRange(QStringLiteral("x"), 0.001f, 7051.0f).message,
              rangeMessage("0.001-7051"));
    EXPECT_EQ(CheckRealRange(QStringLiteral("x"), 0.0f, 25.5f).message, rangeMessage("0-25.5"));
    EXPECT_TRUE(CheckIntegerRange(QStringLiteral(" 7 "), 1, 65535).ok);
    EXPECT_TRUE(CheckIntegerRange(QStringLiteral("1e3"), 1, 65535).ok);
    EXPECT_FALSE(CheckIntegerRange(QStringLiteral("3e9"), 1, 2147483647).ok);
    EXPECT_FALSE(CheckRealRange(QStringLiteral("1e39"), -1.0f, 3.4e38f).ok);
}

} // namespace
} // namespace quenloft
