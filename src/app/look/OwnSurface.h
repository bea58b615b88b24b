// Hover movement over an enabled child is that child's; the container's own surface is
// what is left (plus disabled children, which take no mouse input of their own).
#pragma once

#include <QPoint>

class QWidget;

namespace quenloft {

[[nodiscard]] bool isOverOwnSurface(const QWidget *container, QPoint pos);

} // namespace quenloft
