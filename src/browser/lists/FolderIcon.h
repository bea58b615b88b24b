// The open and closed folder pictures of the directory list, drawn at whatever size they
// are shown. The style's own folder icons are image files, and reading the first image
// file of a run loads every image format plug-in there is, which costs start-up more
// than the whole list does.
#pragma once

#include <QIcon>

namespace quenloft {

enum class FolderState { Closed, Open };

[[nodiscard]] QIcon FolderIcon(FolderState state);

} // namespace quenloft
