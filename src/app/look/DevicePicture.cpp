#include "app/look/DevicePicture.h"

#include <QByteArrayView>
#include <QImage>
#include <QResource>
#include <QSysInfo>
#include <QtEndian>

#include <optional>

namespace quenloft {
namespace {

struct BitmapLayout
{
    int width = 0;
    int height = 0;
    qsizetype pixelsAt = 0;
};

// A Windows bitmap as the build's converter writes it: 32 bits per pixel, uncompressed,
// rows from the top down with nothing between them. Its pixels are blue, green, red and
// 255, which on a little-endian machine is QImage::Format_RGB32 as it lies in memory.
// Anything else is left to the image readers.
std::optional<BitmapLayout> rgb32Bitmap(QByteArrayView bytes)
{
    constexpr qsizetype kHeaders = 14 + 40;
    if (QSysInfo::ByteOrder != QSysInfo::LittleEndian || bytes.size() < kHeaders ||
        !bytes.startsWith("BM"))
        return std::nullopt;
    const auto *at = reinterpret_cast<const uchar *>(bytes.data());
    const quint32 pixelsAt = qFromLittleEndian<quint32>(at + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(at + 14);
    const qint32 width = qFromLittleEndian<qint32>(at + 18);
    const qint32 height = qFromLittleEndian<qint32>(at + 22);
    const quint16 planes = qFromLittleEndian<quint16>(at + 26);
    const quint16 bitsPerPixel = qFromLittleEndian<quint16>(at + 28);
    const quint32 compression = qFromLittleEndian<quint32>(at + 30);
    constexpr qint32 kLargest = 1 << 14;
    if (infoSize != 40 || planes != 1 || bitsPerPixel != 32 || compression != 0 || width <= 0 ||
        width > kLargest || height >= 0 || height < -kLargest || pixelsAt < kHeaders)
        return std::nullopt;
    const qsizetype pixelBytes = qsizetype(width) * -qsizetype(height) * 4;
    if (bytes.size() - qsizetype(pixelsAt) < pixelBytes)
        return std::nullopt;
    // QImage reads 32-bit pixels as words, which must be aligned.
    if (quintptr(bytes.data() + pixelsAt) % alignof(quint32) != 0)
        return std::nullopt;
    return BitmapLayout{width, -height, qsizetype(pixelsAt)};
}

} // namespace

QPixmap DevicePicture(const QString &resource)
{
    const QResource file(resource);
    if (file.isValid() && file.compressionAlgorithm() == QResource::NoCompression) {
        const QByteArrayView bytes(file.data(), file.size());
        if (const auto layout = rgb32Bitmap(bytes)) {
            const QImage pixels(reinterpret_cast<const uchar *>(bytes.data() + layout->pixelsAt),
                                layout->width, layout->height, layout->width * 4,
                                QImage::Format_RGB32);
            // The picture stays in the program's data, in the format the window's surface
            // has, so drawing it copies rows: no conversion, here or when it is drawn.
            return QPixmap::fromImage(pixels, Qt::NoFormatConversion);
        }
    }
    return QPixmap(resource);
}

} // namespace quenloft
