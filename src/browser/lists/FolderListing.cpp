#include "browser/lists/FolderListing.h"

#include "support/NativeFolder.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quenloft {
namespace {

// As QDir lists them: links count as what they lead to; devices, pipes, sockets and
// dangling links are neither files nor folders.
bool isListed(EntryKind kind, QDir::Filters filters)
{
    switch (kind) {
    case EntryKind::File:
        return filters.testFlag(QDir::Files);
    case EntryKind::Folder:
    case EntryKind::FolderLink:
        return filters.testFlag(QDir::Dirs);
    case EntryKind::Missing:
    case EntryKind::Other:
        break;
    }
    return false;
}

} // namespace

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
        if (isListed(entry.kind, filters) && (!keep || keep(entry.name)))
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
