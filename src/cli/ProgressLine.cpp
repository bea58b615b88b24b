#include "ProgressLine.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quenloft::cli {
namespace {

constexpr qint64 kShowAfterMs = 1000;
constexpr qint64 kEveryMs = 100;

} // namespace

bool ProgressLine::stderrIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

ProgressLine::ProgressLine(QTextStream &err, const QString &what, qsizetype total)
    : m_err(err), m_what(what), m_total(total), m_enabled(stderrIsTerminal())
{
    m_clock.start();
}

ProgressLine::~ProgressLine()
{
    clear();
}

void ProgressLine::clear()
{
    if (!m_shown)
        return;
    m_err << '\r' << QString(m_lastLength, u' ') << '\r';
    m_err.flush();
    m_shown = false;
    m_lastLength = 0;
}

void ProgressLine::step(qsizetype done)
{
    if (!m_enabled)
        return;
    const qint64 now = m_clock.elapsed();
    if (now < kShowAfterMs || (m_shown && now - m_lastShownMs < kEveryMs && done != m_total))
        return;
    const QString line = QStringLiteral("%1: %2 of %3 files").arg(m_what).arg(done).arg(m_total);
    m_err << '\r' << line;
    if (line.size() < m_lastLength)
        m_err << QString(m_lastLength - line.size(), u' ');
    m_err.flush();
    m_lastLength = qMax(m_lastLength, line.size());
    m_shown = true;
    m_lastShownMs = now;
}

} // namespace quenloft::cli
