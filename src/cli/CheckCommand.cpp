// quenloft-cli check PATH…
#include "CliCommon.h"

#include "runfile/LoadMessages.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace quenloft::cli {
namespace {

QStringList runFilesUnder(const QString &directory)
{
    QStringList files;
    QDirIterator it(directory, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (IsRunFileName(path))
            files.append(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// One line for one file; true when it loaded and nothing is damaged.
bool checkFile(const QString &path, QTextStream &out)
{
    const QString name = QFileInfo(path).fileName();
    const Model model = ModelFromFileName(name);
    const auto contents = ReadRunFileAt(path, model);
    out << path << ": ";
    if (!contents) {
        QString message = ForTerminal(LoadErrorMessage(contents.failure(), name));
        message.replace(u'\n', u' ');
        out << "error: " << message << '\n';
        return false;
    }
    out << ModelName(model);
    if (model == Model::Solvane) {
        out << '\n';
        return true;
    }
    const NoxContents &nox = contents->nox;
    out << ", " << nox.numRecords << (nox.numRecords == 1 ? " record" : " records");
    if (nox.damagedCount == 0) {
        out << ", no damage\n";
        return true;
    }
    out << ", " << nox.damagedCount << " damaged at ";
    for (qsizetype i = 0; i < nox.damagedPositions.size(); ++i)
        out << (i ? ", " : "") << nox.damagedPositions.at(i);
    if (nox.damagedCount > nox.damagedPositions.size())
        out << ", …";
    out << '\n';
    return false;
}

} // namespace

int RunCheck(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("Run files or folders."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    if (parser.positionalArguments().isEmpty())
        return badUsage(QStringLiteral("check takes at least one PATH."), err);

    bool allSound = true;
    for (const QString &path : parser.positionalArguments()) {
        const QFileInfo info(path);
        if (info.isDir()) {
            for (const QString &file : runFilesUnder(path))
                allSound = checkFile(file, out) && allSound;
        } else if (info.exists()) {
            allSound = checkFile(path, out) && allSound;
        } else {
            out << path << ": error: no such file or folder\n";
            allSound = false;
        }
    }
    return allSound ? Success : Failed;
}

} // namespace quenloft::cli
