// Writes a picture as a 32-bit, top-down, uncompressed Windows bitmap, for the window's
// resources:
//   quenloft-picture-to-bitmap IN.png OUT.bmp
// The committed pictures are PNGs. The window shows one of its two large device pictures
// at every start; the pixels of this bitmap are the ones the window draws, as they lie, so
// the start neither decodes nor converts them (see DevicePicture.cpp).
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

QByteArray bitmapOf(const QImage &picture)
{
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    const quint32 width = pixels.width();
    const quint32 height = pixels.height();
    // The pixels start on a 16-byte boundary, past the 54 bytes of headers, so that the
    // program can use them as 32-bit words where they lie.
    constexpr quint32 kPixelsAt = 64;
    const quint32 pixelBytes = width * height * 4;

    QByteArray bytes(kPixelsAt + pixelBytes, '\0');
    auto *at = reinterpret_cast<uchar *>(bytes.data());
    auto put16 = [&](int offset, quint16 value) { qToLittleEndian(value, at + offset); };
    auto put32 = [&](int offset, quint32 value) { qToLittleEndian(value, at + offset); };
    at[0] = 'B';
    at[1] = 'M';
    put32(2, kPixelsAt + pixelBytes); // the file's size
    put32(10, kPixelsAt);             // where the pixels start
    put32(14, 40);                    // BITMAPINFOHEADER
    put32(18, width);
    // A negative height: the first row is the top one.
    put32(22, quint32(-qint32(height)));
    put16(26, 1);          // planes
    put16(28, 32);         // bits per pixel
    put32(30, 0);          // BI_RGB: no compression
    put32(34, pixelBytes); // the pixels' size
    put32(38, 3780);       // 96 dots per inch, in dots per metre
    put32(42, 3780);
    for (quint32 y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(int(y)));
        for (quint32 x = 0; x < width; ++x)
            put32(int(kPixelsAt + (y * width + x) * 4), row[x] | 0xff000000u); // B, G, R, 255
    }
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("Usage: quenloft-picture-to-bitmap IN.png OUT.bmp\n", stderr);
        return 2;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (picture.isNull() || !out.open(QIODevice::WriteOnly) || out.write(bitmapOf(picture)) < 0 ||
        !out.flush()) {
        std::fprintf(stderr, "Cannot convert %s to %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
