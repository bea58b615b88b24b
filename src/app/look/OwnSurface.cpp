#include "app/look/OwnSurface.h"

#include <QWidget>

namespace quenloft {

bool isOverOwnSurface(const QWidget *container, QPoint pos)
{
    const QWidget *child = container->childAt(pos);
    return child == nullptr || !child->isEnabled();
}

} // namespace quenloft
