#include "vehicle/FieldEntry.h"

#include "support/NumberText.h"
#include "vehicle/Units.h"

#include <limits>

namespace quenloft {

QString OutOfRangeMessage(const QString &lower, const QString &upper)
{
    return QStringLiteral("You entered a value that is out of the allowable range (") + lower +
           u'-' + upper + QStringLiteral(").") + QStringLiteral("\r\n") +
           QStringLiteral("Please correct this now.");
}

RangeCheck CheckIntegerRange(const QString &text, qint32 lower, qint32 upper)
{
    RangeCheck check;
    check.message = OutOfRangeMessage(QString::number(lower), QString::number(upper));
    if (const auto value = ParseDouble(text)) {
        const double whole = RoundHalfEven(*value);
        check.ok = whole >= double(std::numeric_limits<qint32>::min()) &&
                   whole <= double(std::numeric_limits<qint32>::max()) && whole >= lower &&
                   whole <= upper;
    }
    return check;
}

RangeCheck CheckRealRange(const QString &text, float lower, float upper)
{
    RangeCheck check;
    check.message = OutOfRangeMessage(SingleText(lower), SingleText(upper));
    if (const auto value = ParseSingle(text))
        check.ok = lower <= *value && *value <= upper;
    return check;
}

FieldBounds BoundsOf(FieldId id, Model model, bool metric)
{
    switch (id) {
    case FieldId::Weight:
        if (model == Model::Solvane && !metric)
            return {CheckKind::Integer, 1, 144177};
        return {CheckKind::Integer, 1, 65535};
    case FieldId::Redline:
    case FieldId::ShiftPoint:
        return {CheckKind::Integer, 1, 65535};
    case FieldId::RolloutLength:
        return {CheckKind::Real, 0.0, 25.5};
    case FieldId::PitchFactor:
        return {CheckKind::Real, 0.0, 9.9};
    case FieldId::FrontalArea:
        return metric ? FieldBounds{CheckKind::Real, 0.01, 655}
                      : FieldBounds{CheckKind::Real, 0.001, 7051};
    case FieldId::CoeffOfDrag:
        return {CheckKind::Real, 0.01, 0.99};
    case FieldId::DrivelineLoss:
        return {CheckKind::Real, 1, 99};
    case FieldId::RunName:
    case FieldId::VehicleName:
    case FieldId::Notes:
        break;
    }
    return {};
}

QString SuffixOf(FieldId id, Model model, bool metric)
{
    if (model != Model::Solvane)
        return {};
    switch (id) {
    case FieldId::Weight:
        return WeightSuffix(metric);
    case FieldId::FrontalArea:
        return FrontalAreaSuffix(metric);
    case FieldId::DrivelineLoss:
        return QStringLiteral("%");
    default:
        return {};
    }
}

QString EditorTextFromCaption(FieldId id, Model model, const QString &caption)
{
    const bool cutsUnit =
        (id == FieldId::Weight && model == Model::Solvane) || id == FieldId::FrontalArea;
    if (cutsUnit) {
        const qsizetype blank = caption.indexOf(u' ', 1);
        return blank > 0 ? caption.left(blank) : caption;
    }
    if (id == FieldId::DrivelineLoss && caption.endsWith(u'%'))
        return caption.chopped(1);
    return caption;
}

QString ValueFromCaption(FieldId id, Model model, const QString &caption)
{
    return EditorTextFromCaption(id, model, caption);
}

QString NormaliseEntry(FieldId id, bool metric, const QString &text)
{
    int decimals = fieldInfo(id).decimals;
    if (decimals < 0)
        return text;
    if (id == FieldId::FrontalArea && !metric)
        decimals = 3;
    const auto value = ParseSingle(text);
    if (!value)
        return text; // not numeric, or beyond single precision: fails the check as typed
    return FormatFixed(RoundDecimals(*value, decimals), decimals);
}

LeaveOutcome LeaveEditor(FieldId id, Model model, bool metric, const QString &editorText)
{
    LeaveOutcome outcome;
    const FieldBounds bounds = BoundsOf(id, model, metric);
    // Blanks around a number are not part of it; kept, they would split the label's text
    // before its unit suffix at the wrong place, and the save would not find the number.
    const QString entry = bounds.check == CheckKind::None ? editorText : editorText.trimmed();
    outcome.editorText = NormaliseEntry(id, metric, entry);
    RangeCheck check{true, {}};
    if (bounds.check == CheckKind::Integer)
        check = CheckIntegerRange(outcome.editorText, qint32(bounds.lower), qint32(bounds.upper));
    else if (bounds.check == CheckKind::Real)
        check = CheckRealRange(outcome.editorText, float(bounds.lower), float(bounds.upper));
    outcome.accepted = check.ok;
    if (check.ok)
        outcome.caption = outcome.editorText + SuffixOf(id, model, metric);
    else
        outcome.message = check.message;
    return outcome;
}

} // namespace quenloft
