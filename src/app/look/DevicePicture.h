// The window's two large device pictures, read from the program's resources at start-up.
#pragma once

#include <QPixmap>
#include <QString>

namespace quenloft {

// The picture of a resource stored without compression that holds a 32-bit, top-down,
// uncompressed bitmap: its pixels are used where they lie, with no decoding. Any other
// resource is read as usual.
[[nodiscard]] QPixmap DevicePicture(const QString &resource);

} // namespace quenloft
