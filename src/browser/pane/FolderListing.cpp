#include "browser/pane/FolderListing.h"

#include "support/NativeFolder.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quenloft {

QStringList MatchingEntries(const QString &directory, QDir::Filters filters,
                            const std::function<bool(const QString &)> &keep)
{
    // The system's own listing gives most entries' kinds with their names; QDir and
    // QDirIterator build file information for every entry, which costs several times the
    // reading itself in a folder of thousands of runs.
    const auto entries = ListFolder(directory);
    if (!entries)
        return {};
    const bool withHidden = filters.testFlag(QDir::Hidden);
    QStringList names;
    for (const FolderEntry &entry : entries.value()) {
        if (entry.hidden && !withHidden)
            continue;
        const bool listed = entry.kind == EntryKind::File
                                ? filters.testFlag(QDir::Files)
                                : (entry.kind == EntryKind::Folder ||
                                   entry.kind == EntryKind::FolderLink) &&
                                      filters.testFlag(QDir::Dirs);
        if (listed && (!keep || keep(entry.name)))
            names.append(entry.name);
    }
    return names;
}

QStringList SortedByName(QStringList names)
{
    // Folding each name once, rather than at every comparison.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<size_t>(names.size()));
    for (QString &name : names) {
        QString folded = name.toCaseFolded();
        keyed.emplace_back(std::move(folded), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    QStringList sorted;
    sorted.reserve(names.size());
    for (auto &[folded, name] : keyed) {
        sorted.append(std::move(name));
    }
    return sorted;
}

} // namespace quenloft
