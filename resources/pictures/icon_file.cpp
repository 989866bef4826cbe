#include "icon_file.h"

#include <QtEndian>

namespace layout {
namespace {

constexpr qsizetype kDirectorySize = 6;
constexpr qsizetype kEntrySize = 16;
constexpr qsizetype kInfoHeaderSize = 40;

quint32 u32At(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 u16At(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Rows of a bitmap are padded to four bytes.
qsizetype rowBytes(qsizetype bits)
{
    return (bits + 31) / 32 * 4;
}

} // namespace

QImage readIconImage(const QByteArray &file)
{
    QImage image = QImage::fromData(file, "ico");
    if (image.isNull() || file.size() < kDirectorySize + kEntrySize)
        return {};
    const qsizetype bitmap = u32At(file, kDirectorySize + 12);
    if (bitmap + kInfoHeaderSize > file.size())
        return {};
    const int bits = u16At(file, bitmap + 14);
    if (bits < 16)
        return image; // palette images: Qt applies the mask itself

    const int width = image.width();
    const int height = image.height();
    const qsizetype maskStart =
        bitmap + kInfoHeaderSize + rowBytes(qsizetype(width) * bits) * height;
    const qsizetype maskRow = rowBytes(width);
    if (maskStart + maskRow * height > file.size())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    // Bottom row first; the leftmost pixel in the highest bit; 1 is transparent.
    for (int y = 0; y < height; ++y) {
        const auto *mask = reinterpret_cast<const uchar *>(file.constData() + maskStart +
                                                           maskRow * (height - 1 - y));
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (mask[x / 8] & (0x80 >> (x % 8)))
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

} // namespace layout
