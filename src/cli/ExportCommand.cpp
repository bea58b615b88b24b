// quenloft-cli export [--metric] [--csv|--json] [--output FILE] PATH…
// One row per run file named or found, by the file rules of check, written as soon as the
// file has been read: memory stays the same however many files there are. A file that
// does not load is a row too, with its error, and a line on standard error that names it; a
// link skipped in a folder is a line on standard error only, which keeps the rows to the
// schema.
#include "CliCommon.h"

#include "PlainText.h"
#include "ProgressLine.h"
#include "RunFileArguments.h"
#include "support/NativeFolder.h"
#include "support/NativePath.h"
#include "vehicle/RunSummaryCsv.h"
#include "vehicle/RunSummaryJson.h"

#include <QSaveFile>

#include <memory>
#include <optional>

namespace quenloft::cli {
namespace {

// Where the rows go: standard output, or a file that appears whole or not at all.
class Sink
{
public:
    explicit Sink(QTextStream &out) : m_stream(&out) {}

    bool open(const QString &path, QTextStream &err)
    {
        m_file = std::make_unique<QSaveFile>(path);
        if (!m_file->open(QIODevice::WriteOnly)) {
            err << "Cannot write " << Escaped(path) << ": " << Escaped(m_file->errorString())
                << '\n';
            return false;
        }
        m_fileStream = std::make_unique<QTextStream>(m_file.get());
        m_stream = m_fileStream.get();
        return true;
    }

    [[nodiscard]] QTextStream &stream() { return *m_stream; }

    // Everything written reached its place.
    bool close(QTextStream &err)
    {
        m_stream->flush();
        const bool written = m_stream->status() == QTextStream::Ok;
        if (!m_file) {
            if (!written)
                err << "Writing the output failed.\n";
            return written;
        }
        if (!written)
            m_file->cancelWriting();
        if (!m_file->commit()) {
            err << "Cannot write " << Escaped(m_file->fileName()) << ": "
                << Escaped(m_file->errorString()) << ". It was not changed.\n";
            return false;
        }
        return true;
    }

private:
    QTextStream *m_stream;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QTextStream> m_fileStream;
};

// Where the output goes: the file --output names, or the one its symbolic links lead to,
// which is then written in place of the link's target while the links stay. The export
// replaces that file, so nothing but a regular file that is no run file may be there.
struct OutputTarget
{
    QString path;
    QString refusal; // empty when the output may go to `path`; unescaped
    int code = Success;
};

OutputTarget refused(const QString &why, int code = BadUsage)
{
    return {QString(), why, code};
}

OutputTarget outputTarget(const QString &path)
{
    if (PathAsValidText(path) != path)
        return refused(
            QStringLiteral("The --output file's name is not valid text; give it another name."));
    if (IsRunFileName(FileNameOfPath(path)))
        return refused(
            QStringLiteral("--output names a run file, which the export would replace."));
    const auto end = EndOfLinks(path);
    if (!end)
        return refused(QStringLiteral("Cannot write %1: %2").arg(path, end.failure().description),
                       Failed);
    if (end->loops)
        return refused(QStringLiteral("--output is a symbolic link that leads in a circle."));
    const QString lead =
        end->throughLink
            ? QStringLiteral("--output leads through a symbolic link to %1").arg(end->path)
            : QStringLiteral("--output names %1").arg(path);
    if (PathAsValidText(end->path) != end->path)
        return refused(lead +
                       QStringLiteral(", a name that is not valid text; give another file."));
    if (IsRunFileName(FileNameOfPath(end->path)))
        return refused(end->kind == EntryKind::Missing
                           ? lead + QStringLiteral(", a run file's name; the export does not "
                                                   "create run files.")
                           : lead +
                                 QStringLiteral(", a run file, which the export would replace."));
    if (end->kind == EntryKind::Folder)
        return refused(lead + QStringLiteral(", a folder, not a regular file."));
    if (end->kind == EntryKind::Other)
        return refused(lead + QStringLiteral(", which is not a regular file (a device, a pipe "
                                             "or a socket)."));
    return {end->path, QString(), Success};
}

} // namespace

int RunExport(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption(metricOption());
    parser.addOption({QStringLiteral("csv"), QStringLiteral("CSV output (the default).")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("A JSON array.")});
    parser.addOption(
        {QStringLiteral("output"), QStringLiteral("Write to FILE."), QStringLiteral("FILE")});
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("Run files or folders."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    if (parser.positionalArguments().isEmpty())
        return badUsage(QStringLiteral("export takes at least one PATH."), err);
    const bool json = parser.isSet(QStringLiteral("json"));
    if (json && parser.isSet(QStringLiteral("csv")))
        return badUsage(QStringLiteral("export takes --csv or --json, not both."), err);
    const bool toFile = parser.isSet(QStringLiteral("output"));
    const OutputTarget output =
        toFile ? outputTarget(parser.value(QStringLiteral("output"))) : OutputTarget{};
    if (output.code == BadUsage)
        return badUsage(output.refusal, err);
    if (output.code != Success) {
        err << Escaped(output.refusal) << '\n';
        return output.code;
    }
    const bool metric = parser.isSet(QStringLiteral("metric"));

    const QList<RunFileArgument> files =
        ReportingSkipped(RunFilesOf(parser.positionalArguments()), err);
    Sink sink(out);
    if (toFile && !sink.open(output.path, err))
        return Failed;
    // QSaveFile follows a link it finds at the name as it opens: one put there by another
    // program since the check would lead the output elsewhere. The sink, not committed,
    // leaves everything as it was.
    if (toFile) {
        const auto end = EndOfLinks(output.path);
        if (end && end->throughLink) {
            err << "Cannot write " << Escaped(output.path)
                << ": another program made it a symbolic link meanwhile. Nothing was written.\n";
            return Failed;
        }
    }
    QTextStream &stream = sink.stream();

    bool allLoaded = true;
    {
        std::optional<JsonArrayWriter> array;
        if (json)
            array.emplace(stream);
        else
            stream << CsvHeader();
        ProgressLine progress(err, QStringLiteral("export"), files.size());
        qsizetype done = 0;
        for (const RunFileArgument &file : files) {
            const RunSummary row = file.problem.isEmpty()
                                       ? ReadRunSummary(file.path, metric)
                                       : UnreadableSummary(file.path, file.problem);
            if (!row.recovery.isEmpty() || !row.loaded())
                progress.clear();
            reportRecovery(row.recovery, err);
            // The row holds the error too, but the rows may go to a file nobody reads at once.
            if (!row.loaded()) {
                err << Escaped(file.path) << ": " << Escaped(row.error) << '\n';
                allLoaded = false;
            }
            if (array)
                array->append(ExportJson(row));
            else
                stream << CsvRecord(row);
            progress.step(++done);
        }
    }
    if (!sink.close(err))
        return Failed;
    return allLoaded ? Success : Failed;
}

} // namespace quenloft::cli
