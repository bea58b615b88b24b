// Paths as the POSIX system holds them, bytes with no promised encoding, carried in a
// QString without loss. Valid UTF-8 decodes as usual; every byte that is not part of a
// valid UTF-8 sequence becomes one lone low surrogate U+DC80..U+DCFF and turns back into
// that byte on the way down, so a name the system returns always names the same file
// when it is handed back. (Windows names are UTF-16 and need none of this.)
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace quenloft {

[[nodiscard]] QString PathFromNativeBytes(QByteArrayView bytes);

// nullopt for a text no system path can be: one holding a NUL, or a lone surrogate that
// does not stand for a byte.
[[nodiscard]] std::optional<QByteArray> NativeBytesOfPath(const QString &path);

// The byte a character stands for when it is an escaped byte of a native name.
[[nodiscard]] std::optional<quint8> EscapedNativeByte(QChar c);

// The path as text every Unicode encoding holds, for files other programs read (CSV,
// JSON): a byte of a name that is not valid UTF-8 is written \xNN, as plain output writes
// it, and any other lone surrogate \uNNNN. A valid name comes back as it is.
[[nodiscard]] QString PathAsValidText(const QString &path);

// The last component of a path: what follows its last separator ('/', and '\\' on
// Windows). Works on names that are not valid text, kept as PathFromNativeBytes keeps them.
[[nodiscard]] QString FileNameOfPath(const QString &path);

// The program's command line, for use before Qt's application object exists: on POSIX the
// bytes of argv kept without loss, on Windows the UTF-16 command line itself (argv holds
// it in the ANSI code page, which loses every character outside it).
[[nodiscard]] QStringList ProgramArguments(int argc, char *argv[]);

} // namespace quenloft
