// Small stateless text routines shared by the rest of the program.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quenloft {

// The line break of run-file notes and of the program's messages.
inline const QString kCRLF = QStringLiteral("\r\n");

// Trims U+0020 only (tabs and other white space stay).
[[nodiscard]] QString TrimSpaces(const QString &text);

// Removes every repetition of `affix` from the end, then from the start of `text`,
// trimming spaces first and after every removal when `trimSpaces` is set.
// `affix` must not be empty.
[[nodiscard]] QString StripAffix(QString text, const QString &affix, bool trimSpaces);

// StripAffix with the one-character NUL text.
[[nodiscard]] QString StripNulls(const QString &text, bool trimSpaces);

// A text prepared for a system call that expects a NUL-terminated string.
// std::nullopt is the null string: the call receives a null pointer, not "".
using ApiString = std::optional<QString>;
[[nodiscard]] ApiString ToApiString(QString text, bool trimSpaces);

// Replaces `find` until none is left, searching again from the start after each
// replacement, so an occurrence formed by a replacement and its neighbours is replaced
// too. `find` must not be empty and `replacement` must not contain it.
[[nodiscard]] QString ReplaceAll(QString text, const QString &find, const QString &replacement);

// The names as a sentence lists them: "a", "a and b", "a, b and c".
[[nodiscard]] QString ListedNames(const QStringList &names);

} // namespace quenloft
