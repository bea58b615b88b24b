// Writes the bundled sample run files: make_samples DIRECTORY
#include "fixtures/Samples.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        err << "Usage: make_samples DIRECTORY\n";
        return 2;
    }
    const QDir dir(args.at(1));
    for (const auto &sample : quenloft::fixtures::bundledSamples()) {
        QFile file(dir.filePath(sample.name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(sample.bytes) != sample.bytes.size()) {
            err << "Cannot write " << file.fileName() << ": " << file.errorString() << '\n';
            return 1;
        }
    }
    return 0;
}
