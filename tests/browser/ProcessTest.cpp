#include "browser/Process.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace quenloft {
namespace {

// Installs an opener that records what it is handed instead of launching anything.
class ShellOpenTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = SetShellOpener([this](const QUrl &url) {
            m_opened.push_back(url);
            return m_accept ? OpenOutcome::Opened : OpenOutcome::Failed;
        });
    }

    void TearDown() override { SetShellOpener(m_previous); }

    QString makeFile(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    QTemporaryDir m_dir;
    ShellOpener m_previous;
    std::vector<QUrl> m_opened;
    bool m_accept = true;
};

TEST_F(ShellOpenTest, HandsOnDocumentsAndWebAddressesQuotedOrNot)
{
    const QString document = makeFile(QStringLiteral("run 1.kvp"));
    const QUrl documentUrl = QUrl::fromLocalFile(document);
    const QString quote(QChar(u'"'));
    struct Case
    {
        QString target;
        QUrl expected;
    };
    const Case cases[] = {
        {document, documentUrl},
        {quote + document + quote, documentUrl},
        {documentUrl.toString(QUrl::FullyEncoded), documentUrl},
        {QStringLiteral("http://example.com/quenloft"),
         QUrl(QStringLiteral("http://example.com/quenloft"))},
        {QStringLiteral("\"HTTPS://example.com/a b\""),
         QUrl(QStringLiteral("https://example.com/a%20b"))},
    };
    for (const Case &c : cases) {
        m_opened.clear();
        EXPECT_GT(ShellOpen(c.target), 32) << qPrintable(c.target);
        ASSERT_EQ(m_opened.size(), 1u) << qPrintable(c.target);
        EXPECT_EQ(m_opened.front(), c.expected) << qPrintable(m_opened.front().toString());
    }
}

TEST_F(ShellOpenTest, NothingToOpenReturnsZeroWithoutLaunching)
{
    const QString document = makeFile(QStringLiteral("run.kvp"));
    const QString quote(QChar(u'"'));
    const QString cases[] = {
        QString(),
        quote,
        quote + quote,
        m_dir.filePath(QStringLiteral("missing.kvp")),
        quote + m_dir.filePath(QStringLiteral("missing.kvp")) + quote,
        quote + quote + document + quote + quote, // only one pair is removed
        document + QChar(u'\0') + QStringLiteral("x"),
        QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("missing.kvp"))).toString(),
        QStringLiteral("http://"),
        QStringLiteral("https:// spaced host/"),
    };
    for (const QString &target : cases)
        EXPECT_EQ(ShellOpen(target), 0) << qPrintable(target);
    EXPECT_TRUE(m_opened.empty());
}

TEST_F(ShellOpenTest, ARefusingDesktopGivesZero)
{
    m_accept = false;
    EXPECT_EQ(ShellOpen(makeFile(QStringLiteral("run.kvs"))), 0);
    EXPECT_EQ(ShellOpen(QStringLiteral("https://example.com/")), 0);
    EXPECT_EQ(m_opened.size(), 2u);
}

} // namespace
} // namespace quenloft
