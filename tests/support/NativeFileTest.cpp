#include "support/NativeFile.h"

#include "fixtures/QtPrinters.h"
#include "fixtures/SystemCases.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quenloft {
namespace {

class NativeFileTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QString makeFile(const char *name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray contents(const QString &filePath)
    {
        QFile file(filePath);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir m_dir;
};

TEST_F(NativeFileTest, OpeningAMissingFileFailsAndNeverCreatesIt)
{
    for (const auto mode : {NativeFile::Mode::Read, NativeFile::Mode::ReadWriteExisting}) {
        const auto file = NativeFile::open(path("missing.kvp"), mode);
        ASSERT_FALSE(file.ok());
        EXPECT_EQ(file.failure().number, 2); // "File Not Found"
        EXPECT_FALSE(file.failure().description.isEmpty());
        EXPECT_FALSE(QFile::exists(path("missing.kvp")));
    }
}

TEST_F(NativeFileTest, DirectoriesAndPipesAreNotOpenedAsFiles)
{
    const std::optional<QString> noPipe = fixtures::makePipe(path("pipe"));
    for (const char *name : {"", "pipe"}) {
        if (noPipe && *name)
            continue; // named pipes exist on POSIX only
        for (const auto mode : {NativeFile::Mode::Read, NativeFile::Mode::ReadWriteExisting}) {
            SCOPED_TRACE(std::string(name) + (mode == NativeFile::Mode::Read ? " read" : " write"));
            const auto file = NativeFile::open(path(name), mode);
            EXPECT_FALSE(file.ok());
        }
    }
}

TEST_F(NativeFileTest, ReadsWritesGrowsAndTruncatesAtPositions)
{
    const QString p = makeFile("f.kvp", QByteArrayLiteral("0123456789"));
    auto file = NativeFile::open(p, NativeFile::Mode::ReadWriteExisting);
    ASSERT_TRUE(file.ok());

    char buffer[8] = {};
    const auto n = file->readAt(7, buffer, 8);
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(n.value(), 3); // fewer at the end of the file
    EXPECT_EQ(QByteArray(buffer, 3), QByteArrayLiteral("789"));
    const auto past = file->readAt(20, buffer, 8);
    ASSERT_TRUE(past.ok());
    EXPECT_EQ(past.value(), 0);

    ASSERT_TRUE(file->writeAt(2, "ab", 2).ok());
    ASSERT_TRUE(file->writeAt(9, "XYZ", 3).ok());
    ASSERT_TRUE(file->sync().ok());
    EXPECT_EQ(contents(p), QByteArrayLiteral("01ab45678XYZ"));
    const auto grown = file->stamp();
    ASSERT_TRUE(grown.ok());
    EXPECT_EQ(grown->size, 12);
    EXPECT_EQ(StampOfPath(p).value(), grown.value());

    ASSERT_TRUE(file->truncate(4).ok());
    EXPECT_EQ(contents(p), QByteArrayLiteral("01ab"));
    EXPECT_FALSE(StampOfPath(path("missing")).ok());
}

TEST_F(NativeFileTest, AnExclusiveLockIsRefusedWhileAnotherHolderHasTheFile)
{
    const QString p = makeFile("locked.kvp", QByteArrayLiteral("data"));
    fixtures::FileHold holder(p, fixtures::FileHold::Kind::Lock);
    ASSERT_TRUE(holder.held());

    auto file = NativeFile::open(p, NativeFile::Mode::ReadWriteExisting);
    ASSERT_TRUE(file.ok());
    const auto refused = file->lockExclusive();
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().number, 33); // "Lock Violation"

    holder.release();
    EXPECT_TRUE(file->lockExclusive().ok());
}

} // namespace
} // namespace quenloft
