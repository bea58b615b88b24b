#include "runfile/FieldCodec.h"

#include "runfile/Cp1252.h"
#include "support/General.h"

#include <optional>
#include <type_traits>

namespace quenloft {
namespace {

const QString kCR = QStringLiteral("\r");
const QString kNul = QString(QChar(u'\0'));

// The model's part of the contents that a member belongs to.
template <typename Contents, typename Part, typename T> auto &partOf(Contents &contents, T Part::*)
{
    if constexpr (std::is_same_v<Part, NoxContents>)
        return contents.nox;
    else
        return contents.solvane;
}

// Each member's type goes with the encodings that can store it, so a number is never cut
// to fit its member and never read from bytes of another width.
template <typename Part, typename T> constexpr bool storable(T Part::*, Encoding encoding)
{
    if constexpr (std::is_same_v<T, QString>)
        return encoding == Encoding::Text;
    else if constexpr (std::is_same_v<T, quint16>)
        return encoding == Encoding::U16BE || encoding == Encoding::U16LE;
    else
        return encoding == Encoding::U8;
}

constexpr bool storable(const StoredField &field)
{
    return std::visit([&](auto member) { return storable(member, field.encoding); }, field.member);
}

static_assert([] {
    for (const StoredField *field : NoxLayout::Fields)
        if (!storable(*field))
            return false;
    for (const StoredField *field : SolvaneLayout::Fields)
        if (!storable(*field))
            return false;
    return true;
}());

// Why the field's bytes cannot hold the number, or nothing when they can.
std::optional<Failure> outOfRange(const StoredField &field, qint64 number)
{
    if (number >= 0 && number <= LargestStored(field))
        return std::nullopt;
    return CannotStore(QStringLiteral("The %1 %2 does not fit its field (0 to %3 stored units)")
                           .arg(QString::fromLatin1(field.name))
                           .arg(number)
                           .arg(LargestStored(field)));
}

Failure wrongKind(const StoredField &field)
{
    return CannotStore(QStringLiteral("The %1 is not a value its field holds")
                           .arg(QString::fromLatin1(field.name)));
}

StoredValue stored(const QString &text)
{
    return text;
}

StoredValue stored(const std::optional<quint8> &number)
{
    return number ? StoredValue(qint64(*number)) : StoredValue();
}

template <typename N> StoredValue stored(N number)
{
    return qint64(number);
}

Result<Done> store(QString &member, const StoredValue &value, const StoredField &field)
{
    const auto *text = std::get_if<QString>(&value);
    if (!text)
        return wrongKind(field);
    member = *text;
    return Done{};
}

template <typename N>
Result<Done> store(N &member, const StoredValue &value, const StoredField &field)
{
    const auto *number = std::get_if<qint64>(&value);
    if (!number)
        return wrongKind(field);
    if (auto failure = outOfRange(field, *number))
        return *failure;
    member = N(*number);
    return Done{};
}

Result<QByteArray> encodeText(const QString &text, const QString &field)
{
    auto bytes = EncodeCp1252(text);
    if (!bytes) {
        // Name the whole character, also one beyond 16 bits (a surrogate pair).
        const qsizetype at = FirstUnencodableCp1252(text);
        const bool pair = text.at(at).isHighSurrogate() && at + 1 < text.size() &&
                          text.at(at + 1).isLowSurrogate();
        const char32_t c =
            pair ? QChar::surrogateToUcs4(text.at(at), text.at(at + 1)) : text.at(at).unicode();
        const QString code = QString::number(quint32(c), 16).toUpper().rightJustified(4, u'0');
        return CannotStore(QStringLiteral("The %1 contains \"%2\" (U+%3), a character a run file "
                                          "cannot hold")
                               .arg(field, text.mid(at, pair ? 2 : 1), code));
    }
    return *bytes;
}

quint32 bigEndian(QByteArrayView bytes)
{
    quint32 value = 0;
    for (char b : bytes)
        value = (value << 8) | quint8(b);
    return value;
}

quint32 littleEndian(QByteArrayView bytes)
{
    quint32 value = 0;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[i]);
    return value;
}

} // namespace

StoredValue ValueOf(const RunFileContents &contents, const StoredField &field)
{
    return std::visit([&](auto member) { return stored(partOf(contents, member).*member); },
                      field.member);
}

Result<Done> SetValue(RunFileContents &contents, const StoredField &field, const StoredValue &value)
{
    return std::visit(
        [&](auto member) { return store(partOf(contents, member).*member, value, field); },
        field.member);
}

StoredValue DecodeField(const FieldLayout &field, QByteArrayView bytes)
{
    switch (field.encoding) {
    case Encoding::Text:
        return TextOfField(bytes);
    case Encoding::U8:
    case Encoding::U16BE:
        return qint64(bigEndian(bytes));
    case Encoding::U16LE:
        return qint64(littleEndian(bytes));
    case Encoding::DateTime6:
    case Encoding::Version:
        break;
    }
    Q_ASSERT_X(false, "DecodeField", "not a vehicle field");
    return {};
}

Result<QByteArray> EncodeField(const StoredField &field, const StoredValue &value)
{
    if (std::holds_alternative<std::monostate>(value))
        return QByteArray();
    if (field.encoding == Encoding::Text) {
        const auto *text = std::get_if<QString>(&value);
        if (!text)
            return wrongKind(field);
        // The text, one NUL, then 0xFF, cut to the field's length.
        auto bytes = encodeText(*text, QString::fromLatin1(field.name));
        if (!bytes)
            return bytes;
        QByteArray out = bytes.value();
        out.append('\0');
        out.append(QByteArray(field.length, char(0xFF)));
        out.truncate(field.length);
        return out;
    }
    const auto *number = std::get_if<qint64>(&value);
    if (!number)
        return wrongKind(field);
    if (auto failure = outOfRange(field, *number))
        return *failure;
    const auto n = quint16(*number);
    const char high = char(n >> 8);
    const char low = char(n & 0xFF);
    switch (field.encoding) {
    case Encoding::U8:
        return QByteArray(1, low);
    case Encoding::U16BE:
        return QByteArray(1, high) + low;
    case Encoding::U16LE:
        // A Solvane weight or area of 0 is not written: the file keeps its own.
        if (n == 0)
            return QByteArray();
        return QByteArray(1, low) + high;
    case Encoding::Text:
    case Encoding::DateTime6:
    case Encoding::Version:
        break;
    }
    return wrongKind(field);
}

QString TextOfField(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    const QString text = DecodeCp1252(bytes.first(nul < 0 ? bytes.size() : nul));
    return TrimSpaces(text);
}

QString NotesOfBytes(QByteArrayView bytes)
{
    const QString text = DecodeCp1252(bytes);
    return ReplaceAll(ReplaceAll(text, kCR, kNul), kNul, kCRLF);
}

Result<QByteArray> NotesBytes(const QString &notes)
{
    return encodeText(ReplaceAll(notes, kCRLF, kCR), QStringLiteral("notes"));
}

} // namespace quenloft
