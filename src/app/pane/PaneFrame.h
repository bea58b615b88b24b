// The titled frame that holds the file browser. Its height is the pane's only state:
// it is switched between the collapsed strip and the full pane at run time.
#pragma once

#include <QGroupBox>

namespace quenloft {

class PaneFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit PaneFrame(QWidget *parent = nullptr);

    // Height in twips as last set; kept exactly, since pixels round it.
    [[nodiscard]] int frameHeightTwips() const { return m_heightTwips; }
    void setFrameHeightTwips(int heightTwips);

    // Left and width in twips, for the pane's right edge.
    [[nodiscard]] int frameLeftTwips() const { return m_leftTwips; }
    [[nodiscard]] int frameWidthTwips() const { return m_widthTwips; }
    void setGeometryTwips(int left, int top, int width, int height);

signals:
    // The pointer moved over the frame's own surface (not over an enabled child).
    void mouseMoved(int xTwips, int yTwips);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_leftTwips = 0;
    int m_topTwips = 0;
    int m_widthTwips = 0;
    int m_heightTwips = 0;
};

} // namespace quenloft
