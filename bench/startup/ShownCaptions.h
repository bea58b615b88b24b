// The text a window shows at its first paint, each caption with its font, place and
// alignment. One run writes them out; another shows them again as plain labels in a bare
// window, which is what painting that text costs with nothing else of the window.
#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace quenloft::bench {

struct ShownCaption
{
    QString text;
    QFont font;
    QRect place; // in the window's coordinates
    Qt::Alignment alignment;
};

struct ShownText
{
    QSize windowSize;
    QList<ShownCaption> captions;
};

// Labels, buttons, frame titles, boxes and list entries that are shown and not covered.
[[nodiscard]] ShownText ShownTextOf(const QWidget &window);

[[nodiscard]] bool WriteShownText(const ShownText &text, const QString &path);
[[nodiscard]] ShownText ReadShownText(const QString &path);

// Fills `window` with one plain label per caption.
void ShowAsLabels(const ShownText &text, QWidget &window);

} // namespace quenloft::bench
