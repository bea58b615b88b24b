#include "support/FolderWalk.h"

#include "support/NativeFolder.h"

#include <algorithm>

namespace quenloft {
namespace {

LinkSkip whyNotFollowed(const QString &path, EntryKind kind)
{
    if (kind == EntryKind::FolderLink)
        return LinkSkip::ToFolder;
    if (kind == EntryKind::File)
        return LinkSkip::ToFile;
    // Only a link to neither a file nor a folder is examined further.
    const auto end = EndOfLinks(path);
    if (end && end->loops)
        return LinkSkip::Looping;
    if (end && end->kind == EntryKind::Missing)
        return LinkSkip::Dangling;
    return LinkSkip::ToFile;
}

void walk(const QString &folder, FolderWalk &result)
{
    auto entries = ListFolder(folder);
    if (!entries) {
        result.unreadable.append({folder, entries.failure()});
        return;
    }
    for (const FolderEntry &entry : entries.value()) {
        const QString path = JoinPath(folder, entry.name);
        if (entry.link)
            result.links.append({path, whyNotFollowed(path, entry.kind)});
        else if (entry.kind == EntryKind::Folder)
            walk(path, result);
        else if (entry.kind == EntryKind::File)
            result.files.append(path);
    }
}

} // namespace

FolderWalk WalkFolder(const QString &folder)
{
    FolderWalk result;
    walk(folder, result);
    // By code unit, so the order is the same whatever the locale, and names that are not
    // valid text sort too.
    std::sort(result.files.begin(), result.files.end());
    std::sort(result.links.begin(), result.links.end(),
              [](const SkippedLink &a, const SkippedLink &b) { return a.path < b.path; });
    return result;
}

} // namespace quenloft
