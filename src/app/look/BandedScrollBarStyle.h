// The window's style: Fusion, with upright scroll bars painted in short bands.
#pragma once

#include <QProxyStyle>

namespace quenloft {

// The raster painter shares a fill of about a hundred rows or more out to worker threads
// and waits for them, and a scroll bar's groove, edges and slider are such fills: at the
// first paint the notes' bar is the only thing drawn that way. Drawn into bands a few
// dozen rows high and copied into place, the same pixels are filled on the window's own
// thread, which for a short bar is quicker than handing the work over and back.
class BandedScrollBarStyle : public QProxyStyle
{
public:
    BandedScrollBarStyle();

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
};

} // namespace quenloft
