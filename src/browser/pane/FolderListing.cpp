#include "browser/pane/FolderListing.h"

#include <QDirIterator>

#include <algorithm>
#include <utility>
#include <vector>

namespace quenloft {

QStringList MatchingEntries(const QString &directory, QDir::Filters filters,
                            const std::function<bool(const QString &)> &keep)
{
    QStringList names;
    // QDir's own listing builds and sorts file information for every entry, which costs
    // several times the reading itself in a large folder.
    QDirIterator entries(directory, filters | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        QString name = entries.fileName();
        if (!keep || keep(name)) {
            names.append(std::move(name));
        }
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
