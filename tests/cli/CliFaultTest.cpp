// quenloft-cli itself, run with its system calls made to fail (tests/cli/FailingCalls.cpp):
// whatever call fails, the file ends up as it was, at once or on its next load.
#include "fixtures/RunFileBuilder.h"
#include "fixtures/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace quenloft::fixtures;

struct ProgramRun
{
    int code = -1;
    QString err;
};

class CliFaultTest : public testing::Test
{
protected:
    void SetUp() override
    {
#ifndef QUENLOFT_FAILING_CALLS
        GTEST_SKIP() << "Windows cannot preload replacements for a program's system calls";
#endif
        ASSERT_TRUE(m_dir.isValid());
        m_journals = m_dir.filePath(QStringLiteral("journals"));
        m_path = m_dir.filePath(QStringLiteral("run.kvp"));
    }

    ProgramRun run(const QStringList &arguments, const QStringList &environment = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUENLOFT_JOURNAL_DIR"), m_journals);
#ifdef QUENLOFT_FAILING_CALLS
        if (!environment.isEmpty())
            env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(QUENLOFT_FAILING_CALLS));
#endif
        for (const QString &pair : environment)
            env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUENLOFT_CLI_BINARY), arguments);
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    ProgramRun set(const QStringList &environment)
    {
        return run({QStringLiteral("set"), m_path, QStringLiteral("weight=1000"),
                    QStringLiteral("run_name=Changed"), QStringLiteral("notes=new notes")},
                   environment);
    }

    QTemporaryDir m_dir;
    QString m_journals;
    QString m_path;
    const QByteArray m_original = NoxFileBuilder().records(3, 8).notes("old notes").build();
};

TEST_F(CliFaultTest, APersistentWriteOrSyncFailureNeverLeavesTheFileChanged)
{
    // Without preloading (a sanitizer runtime linked in takes the calls first) nothing fails.
    ASSERT_TRUE(writeFile(m_path, m_original));
    if (set({QStringLiteral("QUENLOFT_FAIL_CALL=pwrite"), QStringLiteral("QUENLOFT_FAIL_FROM=1")})
            .code == 0)
        GTEST_SKIP() << "the system calls of this build cannot be replaced";

    int partlyWritten = 0;
    for (const char *call : {"pwrite", "fsync"}) {
        for (int from = 1; from <= 10; ++from) {
            SCOPED_TRACE(testing::Message() << call << " fails from call " << from);
            ASSERT_TRUE(writeFile(m_path, m_original));
            const ProgramRun saved =
                set({QStringLiteral("QUENLOFT_FAIL_CALL=") + QLatin1String(call),
                     QStringLiteral("QUENLOFT_FAIL_FROM=%1").arg(from)});
            if (saved.code == 0)
                continue; // the calls that fail come after the save
            ASSERT_TRUE(saved.code == 1 || saved.code == 4) << saved.err.toStdString();
            EXPECT_TRUE(saved.err.startsWith(QStringLiteral("Not saved: ")))
                << saved.err.toStdString();
            if (saved.code == 1) {
                EXPECT_EQ(readFile(m_path), m_original) << saved.err.toStdString();
                continue;
            }
            ++partlyWritten;
            EXPECT_TRUE(saved.err.contains(QStringLiteral("partly written")));
            const ProgramRun recovered = run({QStringLiteral("recover"), m_path});
            EXPECT_EQ(recovered.code, 0) << recovered.err.toStdString();
            EXPECT_EQ(readFile(m_path), m_original);
            EXPECT_EQ(QDir(m_journals).entryList(QDir::Files), QStringList{});
        }
    }
    EXPECT_GT(partlyWritten, 0);
}

TEST_F(CliFaultTest, CallsInterruptedBySignalsAreRetried)
{
    ASSERT_TRUE(writeFile(m_path, m_original));
    const ProgramRun saved = set({QStringLiteral("QUENLOFT_INTERRUPT=1")});
    EXPECT_EQ(saved.code, 0) << saved.err.toStdString();
    EXPECT_EQ(readFile(m_path).mid(147, 2), QByteArray("\x03\xE8", 2));
}

} // namespace
