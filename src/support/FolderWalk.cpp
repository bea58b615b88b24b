#include "support/FolderWalk.h"

#include "support/NativeFolder.h"

#include <algorithm>

namespace quenloft {
namespace {

void walk(const QString &folder, FolderWalk &result)
{
    auto entries = ListFolder(folder);
    if (!entries) {
        result.unreadable.append({folder, entries.failure()});
        return;
    }
    for (const FolderEntry &entry : entries.value()) {
        if (entry.kind == EntryKind::Folder)
            walk(JoinPath(folder, entry.name), result);
        else if (entry.kind == EntryKind::File)
            result.files.append(JoinPath(folder, entry.name));
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
    return result;
}

} // namespace quenloft
