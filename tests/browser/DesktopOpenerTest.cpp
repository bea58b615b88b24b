// ShellOpen with the desktop's opener, played by scripts: what the opener's exit status
// and the desktop's default application make of an open.
#include "browser/DesktopOpener.h"
#include "browser/Process.h"

#include "fixtures/CaseNames.h"
#include "fixtures/FakeDesktop.h"
#include "fixtures/QtPrinters.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quenloft {
namespace {

using namespace std::chrono_literals;
using fixtures::FakeDesktop;

struct OpenCase
{
    const char *name;
    const char *opener; // empty: there is no opener
    const char *query;  // empty: there is no query program
    bool webAddress;
    OpenOutcome outcome;
    bool openerRan;
};

constexpr auto kOpened = OpenOutcome::Opened;
constexpr auto kFailed = OpenOutcome::Failed;

const OpenCase kCases[] = {
    {"opener exits 0", FakeDesktop::kOpens, FakeDesktop::kNamesAnApplication, false, kOpened, true},
    {"opener has no tool (3)", "exit 3", FakeDesktop::kNamesAnApplication, false, kFailed, true},
    {"opener action failed (4)", "exit 4", FakeDesktop::kNamesAnApplication, false, kFailed, true},
    {"opener killed", "kill -9 $$", FakeDesktop::kNamesAnApplication, false, kFailed, true},
    {"opener keeps running", FakeDesktop::kKeepsRunning, FakeDesktop::kNamesAnApplication, false,
     kOpened, true},
    {"no opener", "", FakeDesktop::kNamesAnApplication, false, OpenOutcome::NoOpener, false},
    {"no opener nor query", "", "", false, OpenOutcome::NoOpener, false},
    {"type has no default application", FakeDesktop::kOpens, FakeDesktop::kNamesNone, false,
     kFailed, false},
    {"query fails", FakeDesktop::kOpens, "exit 1", false, kOpened, true},
    {"query hangs", FakeDesktop::kOpens, "exec sleep 30", false, kOpened, true},
    {"no query program", FakeDesktop::kOpens, "", false, kOpened, true},
    {"web address is not queried", FakeDesktop::kOpens, FakeDesktop::kNamesNone, true, kOpened,
     true},
    {"web address, no opener", "", FakeDesktop::kNamesNone, true, OpenOutcome::NoOpener, false},
    {"web address, opener fails", "exit 4", FakeDesktop::kNamesNone, true, kFailed, true},
};

class DesktopOpenerTest : public testing::TestWithParam<OpenCase>
{
protected:
    void SetUp() override
    {
        QUENLOFT_SKIP_IF_MISSING(FakeDesktop::missing());
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { (void)SetShellOpener({}); }

    QTemporaryDir dir;
    FakeDesktop desktop{dir.path()};
};

TEST_P(DesktopOpenerTest, ReportsWhatTheDesktopMadeOfIt)
{
    const OpenCase &c = GetParam();
    desktop.setOpener(c.opener);
    desktop.setQuery(c.query);
    (void)SetShellOpener(DesktopOpener(desktop.settings(300ms)));
    const QString run = dir.filePath(QStringLiteral("run 1.kvp"));
    ASSERT_TRUE(fixtures::writeFile(run, "NOX"));
    const QString target =
        c.webAddress ? QStringLiteral("https://example.com/a b") : u'"' + run + u'"';

    EXPECT_EQ(OpenWithDesktop(target), c.outcome);
    const QString handed = c.webAddress ? QStringLiteral("https://example.com/a%20b") : run;
    EXPECT_EQ(desktop.openerCalls(), c.openerRan ? QStringList{handed} : QStringList());
    // The type's application is asked for only for a file, and only when there is an opener.
    if (!c.webAddress && *c.query != '\0' && c.outcome != OpenOutcome::NoOpener) {
        EXPECT_EQ(desktop.queryCalls().value(0).left(14), QStringLiteral("query default "));
    } else {
        EXPECT_EQ(desktop.queryCalls(), QStringList());
    }
    if (c.opener == FakeDesktop::kKeepsRunning) {
        EXPECT_TRUE(desktop.openerStillRuns()) << "left running, not waited for nor killed";
    }
}

INSTANTIATE_TEST_SUITE_P(Openers, DesktopOpenerTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<OpenCase> &info) {
                             return fixtures::caseName(info.param.name);
                         });

} // namespace
} // namespace quenloft
