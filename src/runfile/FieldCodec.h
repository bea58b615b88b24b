// How a vehicle field's value becomes bytes of a run file and back: the only place where the
// byte order of run-file integers and the form of a stored text are decided. Nox integers
// are big-endian, Solvane integers little-endian.
#pragma once

#include "runfile/RunFileLayout.h"
#include "support/Errors.h"
#include "support/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <variant>

namespace quenloft {

// Why a value is not stored.
enum CodecFailure : qint32 {
    CannotStoreValue = ErrorInvalidData, // a value the file's field cannot hold
};

// A value a run file cannot hold, and why.
[[nodiscard]] inline Failure CannotStore(const QString &why)
{
    return Failure{CannotStoreValue, why};
}

// A field's value as the file keeps it: a text or a whole number in stored units; nothing
// where the file has no such field (the pitch factor before version 2.0).
using StoredValue = std::variant<std::monostate, qint64, QString>;

[[nodiscard]] StoredValue ValueOf(const RunFileContents &contents, const StoredField &field);

// Puts a value into the contents; refused for a number the field cannot hold and for a
// value of the wrong kind.
[[nodiscard]] Result<Done> SetValue(RunFileContents &contents, const StoredField &field,
                                    const StoredValue &value);

// The value a field's bytes hold, as the loader reads it.
[[nodiscard]] StoredValue DecodeField(const FieldLayout &field, QByteArrayView bytes);

// The bytes that store the value in the field; none where nothing is written (a Solvane
// number of 0); or why the field cannot hold it.
[[nodiscard]] Result<QByteArray> EncodeField(const StoredField &field, const StoredValue &value);

// The largest number the field's bytes hold.
[[nodiscard]] constexpr qint64 LargestStored(const FieldLayout &field)
{
    return field.length == 1 ? 255 : 65535;
}

// A text field's text: up to its first NUL (the writer's terminator; 0xFF fill follows
// it), without blanks at either end.
[[nodiscard]] QString TextOfField(QByteArrayView bytes);

// The notes of a notes block's bytes: each CR and each NUL becomes CR LF.
[[nodiscard]] QString NotesOfBytes(QByteArrayView bytes);

// The bytes that store the notes, each line break as one CR; or why a run file cannot hold
// them. A notes block holds them after a length byte and before a NUL.
[[nodiscard]] Result<QByteArray> NotesBytes(const QString &notes);

} // namespace quenloft
