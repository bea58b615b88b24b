// Writes a picture as a binary PPM, for the window's resources:
//   quenloft-picture-to-ppm IN.png OUT.ppm
// The committed pictures are PNGs; the window reads its two large device pictures at every
// start, and an uncompressed PPM decodes several times faster than a PNG.
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("Usage: quenloft-picture-to-ppm IN.png OUT.ppm\n", stderr);
        return 2;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull() ||
        !picture.convertToFormat(QImage::Format_RGB888).save(QString::fromLocal8Bit(argv[2]),
                                                              "PPM")) {
        std::fprintf(stderr, "Cannot convert %s to %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
