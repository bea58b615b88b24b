// Pieces the command-line commands share.
#pragma once

#include "Cli.h"
#include "runfile/JournalRecovery.h"
#include "runfile/RunFileReader.h"
#include "support/NativePath.h"
#include "vehicle/VehicleDisplay.h"
#include "vehicle/VehicleSession.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonObject>

#include <optional>

namespace quenloft::cli {

QCommandLineOption metricOption();
// --json of show, check and diff.
QCommandLineOption jsonOption();

// Parses a command's arguments; on bad usage prints why and where help is, and returns false.
bool parseCommand(QCommandLineParser &parser, const QStringList &arguments, QTextStream &err);

// Prints a reason and the line that says where help is, and returns BadUsage. The reason
// stays on screen: the help is not printed after it.
int badUsage(const QString &reason, QTextStream &err);

// Prints what recovering a journal did, if anything.
void reportRecovery(const JournalRecovery &recovery, QTextStream &err);
void reportRecovery(const QString &message, QTextStream &err);

// The loader's message for plain output, with LF line breaks.
[[nodiscard]] QString PlainLoadError(const Failure &failure, const QString &fileName);

// When `path` names a folder (or a link to one) where a run file is wanted, says so on
// `err` ("PATH is a folder, not a run file.") and returns true. Left to the loader, a
// folder would be reported as a file it was denied.
bool refuseFolder(const QString &path, QTextStream &err);

struct LoadedRunFile
{
    RunFileContents contents;
    VehicleDisplay display;
};

// Opens a run file in `session` as the window would, in the given units. What an
// interrupted save of it left is put back first, or, to read it alone, left as it is and
// the file read as putting it back would leave it; either way what was found is printed.
// On failure prints the loader's message.
bool openSession(VehicleSession &session, const QString &path, bool metric, PendingSave pending,
                 QTextStream &err);
// The same, leaving the load's failure to the caller to report.
std::optional<Failure> openRunFile(VehicleSession &session, const QString &path, bool metric,
                                   PendingSave pending, QTextStream &err);

// Loads a run file as the window would, to read it alone; on failure prints the loader's
// message.
std::optional<LoadedRunFile> loadForDisplay(const QString &path, bool metric, QTextStream &err);

// A JSON array written one element at a time, one element a line, so a long listing never
// has to be held in memory: "[", the elements, "]".
class JsonArrayWriter
{
public:
    explicit JsonArrayWriter(QTextStream &out);
    ~JsonArrayWriter();
    JsonArrayWriter(const JsonArrayWriter &) = delete;
    JsonArrayWriter &operator=(const JsonArrayWriter &) = delete;

    void append(const QJsonObject &element);
    // Writes the closing bracket; the destructor does it when this was not called.
    void finish();

private:
    QTextStream &m_out;
    bool m_empty = true;
    bool m_finished = false;
};

} // namespace quenloft::cli
