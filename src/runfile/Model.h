// The two device models and how a run file's name tells them apart.
#pragma once

#include <QString>

namespace quenloft {

enum class Model { Nox, Solvane };

// "Nox" or "Solvane", the names the window keeps in strMode.
[[nodiscard]] QString ModelName(Model model);

// The last three characters of the name, compared without regard to case: "KVP" is Nox;
// "KVS" and every other name are Solvane. The content is never consulted.
[[nodiscard]] Model ModelFromFileName(const QString &fileName);

// True when the name ends in .kvp or .kvs in any letter case.
[[nodiscard]] bool IsRunFileName(const QString &fileName);

} // namespace quenloft
