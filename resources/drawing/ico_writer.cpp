#include "ico_writer.h"

#include <QtEndian>

namespace pictures {
namespace {

void putU8(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
}

void putU16(QByteArray &out, int value)
{
    char bytes[2];
    qToLittleEndian<quint16>(quint16(value), bytes);
    out.append(bytes, 2);
}

void putU32(QByteArray &out, qint64 value)
{
    char bytes[4];
    qToLittleEndian<quint32>(quint32(value), bytes);
    out.append(bytes, 4);
}

// Rows of a bottom-up bitmap are padded to four bytes.
int rowBytes(int bits)
{
    return (bits + 31) / 32 * 4;
}

} // namespace

QByteArray iconFile(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int colourRow = rowBytes(width * 24);
    const int maskRow = rowBytes(width);
    const int headerSize = 40;
    const int imageSize = headerSize + (colourRow + maskRow) * height;
    const int directorySize = 6 + 16;

    QByteArray out;
    // ICONDIR: reserved, type 1 (icon), one image.
    putU16(out, 0);
    putU16(out, 1);
    putU16(out, 1);
    // ICONDIRENTRY: size (0 means 256), no palette, planes, bit count.
    putU8(out, width % 256);
    putU8(out, height % 256);
    putU8(out, 0);
    putU8(out, 0);
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, imageSize);
    putU32(out, directorySize);
    // BITMAPINFOHEADER: the height counts the colour bitmap and the mask.
    putU32(out, headerSize);
    putU32(out, width);
    putU32(out, height * 2);
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0); // BI_RGB
    putU32(out, (colourRow + maskRow) * height);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);

    // Colour bitmap, bottom row first, blue-green-red; transparent pixels
    // black, so that the screen shows through unchanged.
    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = qAlpha(line[x]) < 128 ? 0 : line[x];
            putU8(out, qBlue(pixel));
            putU8(out, qGreen(pixel));
            putU8(out, qRed(pixel));
        }
        out.append(QByteArray(colourRow - width * 3, '\0'));
    }
    // Mask, bottom row first, most significant bit leftmost; 1 is transparent.
    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) < 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

} // namespace pictures
