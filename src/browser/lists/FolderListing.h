// Reading the entries of a folder for the browser lists, cheaply enough for a folder of
// thousands of run files: one pass over the folder, and one sort by name.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>

namespace quenloft {

// The names of the entries of `directory` that `filters` lets through (QDir::Files or
// QDir::Dirs; hidden entries are left out unless it has QDir::Hidden, "." and ".." always)
// and that `keep` accepts, in the order the folder gives them.
[[nodiscard]] QStringList MatchingEntries(const QString &directory, QDir::Filters filters,
                                          const std::function<bool(const QString &)> &keep = {});

// Sorted without regard to case; names that differ only in case, by code point.
[[nodiscard]] QStringList SortedByName(QStringList names);

} // namespace quenloft
