#include "vehicle/VehicleDisplay.h"

#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"

#include <gtest/gtest.h>

#include <ctime>

namespace quenloft {
namespace {

using fixtures::NoxFileBuilder;
using fixtures::SolvaneFileBuilder;

VehicleDisplay displayOf(const QByteArray &bytes, Model model, bool metric = false)
{
    MemoryByteSource source(bytes);
    const auto contents = ReadRunFile(source, model);
    EXPECT_TRUE(contents.ok());
    return contents.ok() ? DisplayOf(contents.value(), metric) : VehicleDisplay{};
}

TEST(DisplayTexts, NumbersInTheirPatternsAndUnits)
{
    const struct
    {
        const char *name;
        QString text;
        const char *expected;
    } rows[] = {
        {"tenths 12", TenthsText(12), "1.2"},
        {"tenths 0", TenthsText(0), "0.0"},
        {"tenths 255", TenthsText(255), "25.5"},
        {"hundredths 35", HundredthsText(35), "0.35"},
        {"hundredths 5", HundredthsText(5), "0.05"},
        {"hundredths 100", HundredthsText(100), "1.00"},
        {"hundredths 255", HundredthsText(255), "2.55"},
        {"1000 kg in metric", StoredNumberText(Stored::Kilograms, 1000, true), "1000"},
        {"1000 kg in imperial", StoredNumberText(Stored::Kilograms, 1000, false), "2200"},
        {"1234 kg in imperial", StoredNumberText(Stored::Kilograms, 1234, false), "2714.8"},
        {"65535 kg in imperial", StoredNumberText(Stored::Kilograms, 65535, false), "144177"},
        {"stored area 150 in metric", StoredNumberText(Stored::AreaHundredths, 150, true), "1.5"},
        {"stored area 150 in imperial", StoredNumberText(Stored::AreaHundredths, 150, false),
         "16.14"},
        {"stored area 53 in metric", StoredNumberText(Stored::AreaHundredths, 53, true), "0.53"},
        {"stored area 123 in imperial", StoredNumberText(Stored::AreaHundredths, 123, false),
         "13.2348"},
        {"stored area 0", StoredNumberText(Stored::AreaHundredths, 0, true), "0"},
        {"records", RecordsCaption(3), "3 record(s) read."},
        {"one damaged record", DamagedListText({1001}, 1), "Error(s) found at: 1001"},
        {"several damaged records", DamagedListText({400, 1001, 70000}, 3),
         "Error(s) found at: 400, 1001, 70000"},
        {"nothing damaged", DamagedListText({}, 0), ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.text, QString::fromLatin1(row.expected));
    }
}

TEST(DisplayTexts, RunDateOnTheTwelveHourClock)
{
    const struct
    {
        QDateTime when;
        const char *expected;
    } rows[] = {
        {QDateTime({2005, 3, 7}, {14, 5, 9}), "3/7/2005 2:05:09 PM"},
        {QDateTime({2000, 1, 1}, {0, 0, 0}), "1/1/2000 12:00:00 AM"},
        {QDateTime({2012, 11, 30}, {12, 30, 0}), "11/30/2012 12:30:00 PM"},
        {QDateTime({2255, 12, 31}, {11, 59, 59}), "12/31/2255 11:59:59 AM"},
        {QDateTime({2024, 2, 29}, {23, 0, 1}), "2/29/2024 11:00:01 PM"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(RunDateText(row.when), QString::fromLatin1(row.expected));
    }
}

TEST(DisplayOf, NoxFileShowsItsFieldsVersionAndRecords)
{
    const VehicleDisplay d = displayOf(NoxFileBuilder()
                                           .version("2.0")
                                           .runName("Quarter mile")
                                           .vehicleName("Civic")
                                           .pitchFactorTenths(12)
                                           .weight(3000)
                                           .rolloutTenths(5)
                                           .redline(7000)
                                           .shiftPoint(6500)
                                           .records(3, 20)
                                           .notes("A\rB")
                                           .build(),
                                       Model::Nox);
    EXPECT_EQ(d.versionCaption, QStringLiteral("VEXA Version 2.0"));
    EXPECT_EQ(d.versionColour, VersionColour::Blue);
    EXPECT_EQ(d.shown,
              (QList<FieldId>{FieldId::RunName, FieldId::VehicleName, FieldId::Weight,
                              FieldId::Redline, FieldId::ShiftPoint, FieldId::RolloutLength,
                              FieldId::PitchFactor, FieldId::Notes}));
    EXPECT_EQ(d.caption(FieldId::RunName), QStringLiteral("Quarter mile"));
    EXPECT_EQ(d.caption(FieldId::VehicleName), QStringLiteral("Civic"));
    EXPECT_EQ(d.caption(FieldId::PitchFactor), QStringLiteral("1.2"));
    EXPECT_EQ(d.caption(FieldId::Weight), QStringLiteral("3000"));
    EXPECT_EQ(d.caption(FieldId::RolloutLength), QStringLiteral("0.5"));
    EXPECT_EQ(d.caption(FieldId::Redline), QStringLiteral("7000"));
    EXPECT_EQ(d.caption(FieldId::ShiftPoint), QStringLiteral("6500"));
    EXPECT_EQ(d.notes, QStringLiteral("A\r\nB"));
    EXPECT_EQ(d.recordsCaption, QStringLiteral("3 record(s) read."));
    EXPECT_EQ(d.damagedList, QString());
}

TEST(DisplayOf, NoxFileVariants)
{
    const VehicleDisplay old = displayOf(NoxFileBuilder().version("1.5").build(), Model::Nox);
    EXPECT_EQ(old.caption(FieldId::PitchFactor), QStringLiteral("n/a"));
    EXPECT_FALSE(old.shown.contains(FieldId::PitchFactor));

    const VehicleDisplay untagged =
        displayOf(NoxFileBuilder().versionArea("UNTAGGEDXXX2.0").build(), Model::Nox);
    EXPECT_EQ(untagged.versionCaption, QStringLiteral("Unknown VEXA Version"));
    EXPECT_EQ(untagged.versionColour, VersionColour::Red);

    // The records label stays hidden when the first length byte is 0.
    const VehicleDisplay empty = displayOf(NoxFileBuilder().records(0, 0).build(), Model::Nox);
    EXPECT_EQ(empty.recordsCaption, std::nullopt);
    EXPECT_EQ(empty.notes, QString());

    // Records of 169 bytes from offset 311 put the fourth record's separator at offset 1000.
    const NoxFileBuilder damaged =
        NoxFileBuilder().records(5, 169).separator(3, QByteArray::fromHex("000100"));
    ASSERT_EQ(damaged.separatorOffset(3), 1000);
    const VehicleDisplay withErrors = displayOf(damaged.build(), Model::Nox);
    EXPECT_EQ(withErrors.recordsCaption, QStringLiteral("5 record(s) read."));
    EXPECT_EQ(withErrors.damagedList, QStringLiteral("Error(s) found at: 1001"));
}

TEST(DisplayOf, SolvaneFileShowsItsFieldsInTheChosenUnits)
{
    const QByteArray bytes = SolvaneFileBuilder()
                                 .runDate(3, 7, 5, 14, 5, 9)
                                 .weight(1000)
                                 .frontalArea(150)
                                 .coeffOfDrag(35)
                                 .drivelineLoss(15)
                                 .notes(" Track day ")
                                 .build();
    const VehicleDisplay metric = displayOf(bytes, Model::Solvane, true);
    EXPECT_EQ(metric.versionCaption, QStringLiteral("Solvane VEXA v1.0"));
    EXPECT_EQ(metric.shown,
              (QList<FieldId>{FieldId::RunName, FieldId::Weight, FieldId::FrontalArea,
                              FieldId::CoeffOfDrag, FieldId::DrivelineLoss, FieldId::Notes}));
    EXPECT_EQ(metric.caption(FieldId::RunName), QStringLiteral("3/7/2005 2:05:09 PM"));
    EXPECT_EQ(metric.caption(FieldId::Weight), QStringLiteral("1000 kgs"));
    EXPECT_EQ(metric.caption(FieldId::FrontalArea), QStringLiteral("1.5 m^2"));
    EXPECT_EQ(metric.caption(FieldId::CoeffOfDrag), QStringLiteral("0.35"));
    EXPECT_EQ(metric.caption(FieldId::DrivelineLoss), QStringLiteral("15%"));
    EXPECT_EQ(metric.notes, QStringLiteral("Track day"));
    EXPECT_EQ(metric.recordsCaption, std::nullopt);

    const VehicleDisplay imperial = displayOf(bytes, Model::Solvane, false);
    EXPECT_EQ(imperial.caption(FieldId::Weight), QStringLiteral("2200 lbs"));
    EXPECT_EQ(imperial.caption(FieldId::FrontalArea), QStringLiteral("16.14 ft^2"));

    const VehicleDisplay undated =
        displayOf(SolvaneFileBuilder().runDate(0, 0, 0, 0, 0, 0).build(), Model::Solvane);
    EXPECT_EQ(undated.caption(FieldId::RunName), QString());
}

TEST(DisplayOf, ARunTimeTheLocalClockSkipsIsShownAsStored)
{
    // The date bytes are a wall-clock reading of the meter; the computer's time zone and its
    // daylight-saving gaps have nothing to do with them.
    const QByteArray savedZone = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    ::tzset();
    const VehicleDisplay d =
        displayOf(SolvaneFileBuilder().runDate(4, 3, 5, 2, 30, 0).build(), Model::Solvane);
    if (savedZone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedZone);
    ::tzset();
    EXPECT_EQ(d.caption(FieldId::RunName), QStringLiteral("4/3/2005 2:30:00 AM"));
}

} // namespace
} // namespace quenloft
