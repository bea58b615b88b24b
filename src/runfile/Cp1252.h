// The 8-bit code page of run-file text: Windows-1252, one byte per character.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace quenloft {

[[nodiscard]] QString DecodeCp1252(QByteArrayView bytes);

// nullopt when a character has no byte in the code page.
[[nodiscard]] std::optional<QByteArray> EncodeCp1252(const QString &text);

// Index of the first character without a byte in the code page, or -1.
[[nodiscard]] qsizetype FirstUnencodableCp1252(const QString &text);

} // namespace quenloft
