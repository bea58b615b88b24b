// quenloft-cli export [--metric] [--csv|--json] [--output FILE] PATH…
// One row per run file named or found, by the file rules of check, written as soon as the
// file has been read: memory stays the same however many files there are. A file that
// does not load is a row too, with its error; a link skipped in a folder is a line on
// standard error, which keeps the rows to the schema.
#include "CliCommon.h"

#include "PlainText.h"
#include "ProgressLine.h"
#include "RunFileArguments.h"
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

// Why `path` cannot take the output, if it cannot.
std::optional<QString> unfitOutput(const QString &path)
{
    if (PathAsValidText(path) != path)
        return QStringLiteral("The --output file's name is not valid text; give it another name.");
    // The output replaces the file it names; a run file would be lost.
    if (IsRunFileName(FileNameOfPath(path)))
        return QStringLiteral("--output names a run file, which the export would replace.");
    return std::nullopt;
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
    const QString output = parser.value(QStringLiteral("output"));
    if (parser.isSet(QStringLiteral("output"))) {
        if (const auto unfit = unfitOutput(output))
            return badUsage(*unfit, err);
    }
    const bool metric = parser.isSet(QStringLiteral("metric"));

    const QList<RunFileArgument> files =
        ReportingSkipped(RunFilesOf(parser.positionalArguments()), err);
    Sink sink(out);
    if (parser.isSet(QStringLiteral("output")) && !sink.open(output, err))
        return Failed;
    QTextStream &stream = sink.stream();

    bool allLoaded = true;
    {
        std::optional<JsonArrayWriter> array;
        if (json)
            array.emplace(stream);
        else
            stream << CsvHeader();
        ProgressLine progress(err, QStringLiteral("export"), files.size());
        RunSummaryReader reader(metric);
        qsizetype done = 0;
        for (const RunFileArgument &file : files) {
            const RunSummary row = file.problem.isEmpty()
                                       ? reader.read(file.path)
                                       : UnreadableSummary(file.path, file.problem);
            reportRecovery(row.recovery, err);
            allLoaded = allLoaded && row.loaded();
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
