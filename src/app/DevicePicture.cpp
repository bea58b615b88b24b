#include "app/DevicePicture.h"

#include <QByteArrayView>
#include <QImage>
#include <QResource>

#include <charconv>
#include <optional>

namespace quenloft {
namespace {

struct PpmHeader
{
    int width = 0;
    int height = 0;
    qsizetype pixelsAt = 0; // where the RGB bytes start
};

// "P6", width, height and a maximum of 255, separated by single blanks or line breaks, as
// the build's converter writes it. Anything else is left to the image readers.
std::optional<PpmHeader> ppmHeader(QByteArrayView bytes)
{
    if (!bytes.startsWith("P6"))
        return std::nullopt;
    qsizetype at = 2;
    auto number = [&]() -> std::optional<int> {
        if (at >= bytes.size() || (bytes[at] != ' ' && bytes[at] != '\n'))
            return std::nullopt;
        ++at;
        int value = 0;
        const char *begin = bytes.data() + at;
        const auto [end, error] = std::from_chars(begin, bytes.data() + bytes.size(), value);
        if (error != std::errc() || end == begin)
            return std::nullopt;
        at += end - begin;
        return value;
    };
    const auto width = number();
    const auto height = number();
    const auto maximum = number();
    if (!width || !height || maximum != 255 || *width <= 0 || *height <= 0 || at >= bytes.size() ||
        bytes[at] != '\n')
        return std::nullopt;
    const PpmHeader header{*width, *height, at + 1};
    if (bytes.size() - header.pixelsAt != qsizetype(*width) * *height * 3)
        return std::nullopt;
    return header;
}

} // namespace

QPixmap DevicePicture(const QString &resource)
{
    const QResource file(resource);
    if (file.isValid() && file.compressionAlgorithm() == QResource::NoCompression) {
        const QByteArrayView bytes(file.data(), file.size());
        if (const auto header = ppmHeader(bytes)) {
            const QImage pixels(reinterpret_cast<const uchar *>(bytes.data() + header->pixelsAt),
                                header->width, header->height, header->width * 3,
                                QImage::Format_RGB888);
            // Kept in its own format, so the picture stays in the program's data and is
            // converted only where it is drawn; converting it here would copy it into new
            // memory at start-up.
            return QPixmap::fromImage(pixels, Qt::NoFormatConversion);
        }
    }
    return QPixmap(resource);
}

} // namespace quenloft
