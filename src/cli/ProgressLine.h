// A progress line on standard error for long commands over many files: shown only when
// standard error is a terminal and the work has run for over a second, rewritten in place
// at most ten times a second, and cleared at the end. Output that goes to a file or a
// pipe never sees it.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

namespace quenloft::cli {

class ProgressLine
{
public:
    ProgressLine(QTextStream &err, const QString &what, qsizetype total);
    ~ProgressLine();
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    // `done` of the total are finished.
    void step(qsizetype done);
    // Takes the line off the terminal so that a message can be written; the next step
    // shows it again.
    void clear();

    [[nodiscard]] static bool stderrIsTerminal();

private:
    QTextStream &m_err;
    QString m_what;
    qsizetype m_total = 0;
    bool m_enabled = false;
    bool m_shown = false;
    qint64 m_lastShownMs = 0;
    qsizetype m_lastLength = 0;
    QElapsedTimer m_clock;
};

} // namespace quenloft::cli
