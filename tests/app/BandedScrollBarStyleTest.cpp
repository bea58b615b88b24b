// The window's style draws scroll bars in bands; together the bands must be the pixels
// Fusion draws in one go.
#include "app/look/BandedScrollBarStyle.h"

#include <QImage>
#include <QScrollBar>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>

namespace {

QImage paintedWith(QStyle *style, Qt::Orientation orientation, const QSize &size, int value,
                   int maximum, bool enabled)
{
    QScrollBar bar(orientation);
    bar.setEnabled(enabled);
    bar.setStyle(style);
    bar.setRange(0, maximum);
    bar.setPageStep(20);
    bar.setValue(value);
    bar.resize(size);
    return bar.grab().toImage();
}

TEST(BandedScrollBarStyle, PaintsScrollBarsAsFusionDoes)
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    quenloft::BandedScrollBarStyle banded;
    const struct
    {
        Qt::Orientation orientation;
        QSize size;
        int value;
        int maximum;
        bool enabled;
    } cases[] = {
        {Qt::Vertical, {16, 121}, 0, 0, true},    // the empty notes' bar: bands, a part-band
        {Qt::Vertical, {16, 121}, 0, 100, true},  // a slider across band edges
        {Qt::Vertical, {16, 160}, 55, 100, true}, // a slider within a band
        {Qt::Vertical, {16, 160}, 0, 5, true},    // a slider longer than a band
        {Qt::Vertical, {16, 121}, 40, 100, false},
        {Qt::Vertical, {16, 40}, 100, 100, true}, // one band
        {Qt::Horizontal, {200, 16}, 30, 100, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.width() << "x" << c.size.height() << " at "
                                        << c.value << " of " << c.maximum);
        const QImage expected =
            paintedWith(fusion.get(), c.orientation, c.size, c.value, c.maximum, c.enabled);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(paintedWith(&banded, c.orientation, c.size, c.value, c.maximum, c.enabled),
                  expected);
    }
}

} // namespace
