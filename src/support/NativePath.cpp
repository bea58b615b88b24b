#include "support/NativePath.h"

#include <algorithm>

#ifdef Q_OS_WIN
// shellapi.h needs the types windows.h declares, so it must come second.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#endif

namespace quenloft {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isContinuation(quint8 b)
{
    return (b & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `i` and its code point, or 0 when the byte
// there does not start one. Overlong forms, surrogates and values past U+10FFFF are not
// valid, so every decoded text encodes back to the same bytes.
int sequenceAt(QByteArrayView bytes, qsizetype i, char32_t &code)
{
    const auto at = [&](qsizetype k) { return quint8(bytes[k]); };
    const quint8 b = at(i);
    const qsizetype left = bytes.size() - i;
    if (b < 0x80) {
        code = b;
        return 1;
    }
    int length = 0;
    quint8 low = 0x80;
    quint8 high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0;
        else if (b == 0xED)
            high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;
        else if (b == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k)
        if (!isContinuation(at(i + k)))
            return 0;
    code = b & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k)
        code = (code << 6) | (at(i + k) & 0x3F);
    return length;
}

} // namespace

QString PathFromNativeBytes(QByteArrayView bytes)
{
    // Most names are plain ASCII, which every reading of the bytes agrees on; a folder
    // of thousands of runs is listed without decoding each name character by character.
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return quint8(b) < 0x80; }))
        return QString::fromLatin1(bytes);
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = sequenceAt(bytes, i, code);
        if (length == 0) {
            text.append(QChar(char16_t(kEscapeBase + quint8(bytes[i]))));
            ++i;
            continue;
        }
        if (QChar::requiresSurrogates(code)) {
            text.append(QChar(QChar::highSurrogate(code)));
            text.append(QChar(QChar::lowSurrogate(code)));
        } else {
            text.append(QChar(char16_t(code)));
        }
        i += length;
    }
    return text;
}

std::optional<QByteArray> NativeBytesOfPath(const QString &path)
{
    // Plain ASCII, the usual case, is the same in every encoding.
    if (std::all_of(path.cbegin(), path.cend(),
                    [](QChar c) { return c.unicode() != 0 && c.unicode() < 0x80; }))
        return path.toLatin1();
    QByteArray bytes;
    bytes.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        char32_t code = c.unicode();
        if (code == 0)
            return std::nullopt;
        if (c.isHighSurrogate() && i + 1 < path.size() && path.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, path.at(i + 1));
            ++i;
        } else if (c.isSurrogate()) {
            const auto byte = EscapedNativeByte(c);
            if (!byte)
                return std::nullopt;
            bytes.append(char(*byte));
            continue;
        }
        if (code < 0x80) {
            bytes.append(char(code));
        } else if (code < 0x800) {
            bytes.append(char(0xC0 | (code >> 6)));
            bytes.append(char(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            bytes.append(char(0xE0 | (code >> 12)));
            bytes.append(char(0x80 | ((code >> 6) & 0x3F)));
            bytes.append(char(0x80 | (code & 0x3F)));
        } else {
            bytes.append(char(0xF0 | (code >> 18)));
            bytes.append(char(0x80 | ((code >> 12) & 0x3F)));
            bytes.append(char(0x80 | ((code >> 6) & 0x3F)));
            bytes.append(char(0x80 | (code & 0x3F)));
        }
    }
    return bytes;
}

std::optional<quint8> EscapedNativeByte(QChar c)
{
    const char16_t u = c.unicode();
    // Bytes below 0x80 are ASCII and always decode as themselves.
    if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF)
        return quint8(u - kEscapeBase);
    return std::nullopt;
}

QString PathAsValidText(const QString &path)
{
    // Nearly every name is valid text already, and comes back as it is.
    if (std::none_of(path.cbegin(), path.cend(), [](QChar c) { return c.isSurrogate(); }))
        return path;
    QString text;
    text.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if (c.isHighSurrogate() && i + 1 < path.size() && path.at(i + 1).isLowSurrogate()) {
            text.append(c);
            text.append(path.at(++i));
        } else if (const auto byte = EscapedNativeByte(c)) {
            text.append(QStringLiteral("\\x%1").arg(*byte, 2, 16, QChar(u'0')));
        } else if (c.isSurrogate()) {
            text.append(QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0')));
        } else {
            text.append(c);
        }
    }
    return text;
}

QString FileNameOfPath(const QString &path)
{
    qsizetype separator = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    separator = qMax(separator, path.lastIndexOf(u'\\'));
#endif
    return path.mid(separator + 1);
}

QStringList ProgramArguments(int argc, char *argv[])
{
    QStringList arguments;
#ifdef Q_OS_WIN
    int count = 0;
    if (wchar_t **wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments.append(QString::fromWCharArray(wide[i]));
        ::LocalFree(wide);
        return arguments;
    }
    // Without the wide command line, argv is all there is.
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
#else
    for (int i = 0; i < argc; ++i)
        arguments.append(PathFromNativeBytes(argv[i]));
#endif
    return arguments;
}

} // namespace quenloft
