#include "PlainText.h"

#include "support/NativePath.h"

namespace quenloft::cli {
namespace {

QString hex(uint value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QChar(u'0'));
}

} // namespace

QString Escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append(c);
            out.append(text.at(++i));
        } else if (const auto byte = EscapedNativeByte(c)) {
            out.append(QStringLiteral("\\x") + hex(*byte, 2));
        } else if (c.isSurrogate()) {
            out.append(QStringLiteral("\\u") + hex(u, 4));
        } else if (u == u'\n') {
            out.append(QStringLiteral("\\n"));
        } else if (u == u'\r') {
            out.append(QStringLiteral("\\r"));
        } else if (u == u'\t') {
            out.append(QStringLiteral("\\t"));
        } else if (u < 0x20 || u == 0x7F) {
            out.append(QStringLiteral("\\x") + hex(u, 2));
        } else if ((u >= 0x80 && u <= 0x9F) || u == 0x2028 || u == 0x2029) {
            // C1 controls (0x9B starts a terminal command) and the Unicode line breaks; as
            // code points, so they cannot be taken for the bytes of a name.
            out.append(QStringLiteral("\\u") + hex(u, 4));
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace quenloft::cli
