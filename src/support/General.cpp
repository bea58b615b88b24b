#include "support/General.h"

#include <QChar>

namespace quenloft {

QString TrimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString StripAffix(QString text, const QString &affix, bool trimSpaces)
{
    Q_ASSERT(!affix.isEmpty());
    if (affix.isEmpty())
        return text;
    if (trimSpaces)
        text = TrimSpaces(text);
    const qsizetype n = affix.size();
    while (!text.isEmpty() && text.endsWith(affix)) {
        text.chop(n);
        if (trimSpaces)
            text = TrimSpaces(text);
    }
    while (!text.isEmpty() && text.startsWith(affix)) {
        text.remove(0, n);
        if (trimSpaces)
            text = TrimSpaces(text);
    }
    return text;
}

QString StripNulls(const QString &text, bool trimSpaces)
{
    return StripAffix(text, QString(QChar(u'\0')), trimSpaces);
}

ApiString ToApiString(QString text, bool trimSpaces)
{
    if (trimSpaces)
        text = TrimSpaces(text);
    if (text.isEmpty())
        return std::nullopt;
    if (!text.contains(QChar(u'\0')))
        text.append(QChar(u'\0'));
    return text;
}

QString ReplaceAll(QString text, const QString &find, const QString &replacement)
{
    Q_ASSERT(!find.isEmpty() && !replacement.contains(find));
    if (find.isEmpty() || replacement.contains(find))
        return text;
    // Each search restarts at the beginning, but nothing before the previous hit can have
    // changed except through the replacement itself, so starting a little before it is
    // equivalent and keeps long texts linear.
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(find, from);
        if (at < 0)
            return text;
        text.replace(at, find.size(), replacement);
        from = qMax<qsizetype>(0, at - find.size() + 1);
    }
}

QString ListedNames(const QStringList &names)
{
    if (names.size() <= 1)
        return names.join(QString());
    return names.first(names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           names.last();
}

} // namespace quenloft
