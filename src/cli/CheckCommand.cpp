// quenloft-cli check PATH…
// Every run file named or found is reported on a line of its own, also one that cannot be
// read, and so is every folder that cannot be read: nothing is left out silently.
#include "CliCommon.h"

#include "PlainText.h"
#include "support/FolderWalk.h"
#include "support/NativeFolder.h"

namespace quenloft::cli {
namespace {

// One line for one file; true when it loaded and nothing is damaged.
bool checkFile(const QString &path, QTextStream &out, QTextStream &err)
{
    reportRecovery(RecoverPendingJournal(path), err);
    const QString name = fileNameOf(path);
    const Model model = ModelFromFileName(name);
    const auto contents = ReadRunFileAt(path, model);
    out << Escaped(path) << ": ";
    if (!contents) {
        QString message = PlainLoadError(contents.failure(), name);
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

void reportUnreadable(const QString &path, const Failure &failure, QTextStream &out)
{
    out << Escaped(path) << ": error: cannot be read (error " << failure.number << ": "
        << Escaped(failure.description) << ")\n";
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
        const auto kind = KindOfPath(path);
        if (!kind) {
            reportUnreadable(path, kind.failure(), out);
            allSound = false;
        } else if (kind.value() == EntryKind::Folder || kind.value() == EntryKind::FolderLink) {
            const FolderWalk walk = WalkFolder(path);
            for (const UnreadablePath &folder : walk.unreadable)
                reportUnreadable(folder.path, folder.failure, out);
            allSound = allSound && walk.unreadable.isEmpty();
            for (const QString &file : walk.files)
                if (IsRunFileName(fileNameOf(file)))
                    allSound = checkFile(file, out, err) && allSound;
        } else if (kind.value() == EntryKind::Missing) {
            out << Escaped(path) << ": error: no such file or folder\n";
            allSound = false;
        } else {
            allSound = checkFile(path, out, err) && allSound;
        }
    }
    return allSound ? Success : Failed;
}

} // namespace quenloft::cli
