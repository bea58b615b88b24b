#include "vehicle/FieldEntry.h"

#include "support/General.h"
#include "support/NumberText.h"

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
    // Blanks around a number are not part of it.
    const QString typed = bounds.check == CheckKind::None ? editorText : TrimSpaces(editorText);
    outcome.editorText = NormaliseEntry(id, metric, typed);
    RangeCheck check{true, {}};
    if (bounds.check == CheckKind::Integer)
        check = CheckIntegerRange(outcome.editorText, qint32(bounds.lower), qint32(bounds.upper));
    else if (bounds.check == CheckKind::Real)
        check = CheckRealRange(outcome.editorText, float(bounds.lower), float(bounds.upper));
    outcome.accepted = check.ok;
    if (check.ok)
        outcome.value = outcome.editorText;
    else
        outcome.message = check.message;
    return outcome;
}

} // namespace quenloft
