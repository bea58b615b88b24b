// Replays every input the fuzzers once broke (tests/fuzz/regressions/<target>/) and the
// bundled samples through each fuzz target; a target aborts on a broken rule.
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace quenloft::fuzz {
namespace {

QStringList inputsIn(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        paths.append(dir.filePath(name));
    return paths;
}

TEST(FuzzRegressions, EveryKeptInputAndSamplePassesEveryTarget)
{
    const QString root = QStringLiteral(QUENLOFT_SOURCE_DIR);
    int replayed = 0;
    for (const Target &target : kTargets) {
        const QString name = QString::fromLatin1(target.name.data(), qsizetype(target.name.size()));
        const QStringList inputs =
            inputsIn(root + QStringLiteral("/tests/fuzz/regressions/") + name) +
            inputsIn(root + QStringLiteral("/samples"));
        for (const QString &path : inputs) {
            SCOPED_TRACE(name.toStdString() + ": " + path.toStdString());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            EXPECT_EQ(target.run(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                 size_t(bytes.size())),
                      0);
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

} // namespace
} // namespace quenloft::fuzz
