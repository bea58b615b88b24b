// Folders of run files for the benchmarks over many files: `count` files, every other one
// a copy of the bundled Nox sample friday_pass_1.kvp (112 records) and the rest copies of
// the Solvane sample coastdown.kvs. Kept from run to run under the temporary folder
// (creating thousands of files is slow on some file systems); QUENLOFT_BENCH_SAMPLES moves
// them.
#pragma once

#include "fixtures/Samples.h"

#include <QDir>
#include <QFile>
#include <QString>

namespace quenloft::bench {

inline QString sampleRunFolder(int count)
{
    QString base = qEnvironmentVariable("QUENLOFT_BENCH_SAMPLES");
    if (base.isEmpty())
        base = QDir::temp().filePath(QStringLiteral("quenloft-bench-samples"));
    const QString folder = QDir(base).filePath(QString::number(count));
    QDir dir(folder);
    dir.mkpath(QStringLiteral("."));
    if (dir.entryList(QDir::Files).size() == count)
        return folder;
    QByteArray nox, solvane;
    for (const auto &sample : fixtures::bundledSamples()) {
        if (sample.name == QStringLiteral("friday_pass_1.kvp"))
            nox = sample.bytes;
        if (sample.name == QStringLiteral("coastdown.kvs"))
            solvane = sample.bytes;
    }
    for (int i = 0; i < count; ++i) {
        const bool isNox = i % 2 == 0;
        QFile file(dir.filePath(QStringLiteral("run%1.%2")
                                    .arg(i, 5, 10, QLatin1Char('0'))
                                    .arg(isNox ? QStringLiteral("kvp") : QStringLiteral("kvs"))));
        if (!file.open(QIODevice::WriteOnly) || file.write(isNox ? nox : solvane) < 0)
            qFatal("cannot write the benchmark's run files");
    }
    return folder;
}

} // namespace quenloft::bench
