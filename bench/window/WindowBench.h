// What the window benchmarks share: a prompter that answers nothing, a meter of the
// longest time the window went without handling its events, and an offscreen main.
#pragma once

#include "app/program/Prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace quenloft::bench {

class SilentPrompter final : public Prompter
{
public:
    void message(QWidget *, const QString &, PromptIcon) override {}
    bool askYesNo(QWidget *, const QString &, PromptIcon, bool) override { return false; }
    std::optional<QString> input(QWidget *, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    SaveChoice askSaveChanges(QWidget *, const QString &) override { return SaveChoice::Discard; }
};

// A timer that should fire every 10 ms: the longest gap between its ticks is the longest
// time the window could not handle events.
class EventGapMeter
{
public:
    EventGapMeter()
    {
        QObject::connect(&m_ticker, &QTimer::timeout,
                         [this] { m_longestMs = qMax(m_longestMs, m_sinceTick.restart()); });
        m_sinceTick.start();
        m_ticker.start(10);
    }

    // Before the measured work.
    void start() { m_sinceTick.start(); }
    // After it: the gap still open counts too.
    void stop() { m_longestMs = qMax(m_longestMs, m_sinceTick.elapsed()); }
    [[nodiscard]] qint64 longestMs() const { return m_longestMs; }

private:
    QTimer m_ticker;
    QElapsedTimer m_sinceTick;
    qint64 m_longestMs = 0;
};

inline int RunOffscreenBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quenloft::bench
