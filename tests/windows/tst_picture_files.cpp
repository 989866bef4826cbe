// The picture files as the program carries them: nine images stored once
// each, eight baseline JFIF JPEGs with three colour components and one
// Windows icon of 32 x 32 pixels at 24 bits with its 1-bit mask. The bytes
// are read from the embedded resource and parsed here by hand; the icon that
// the windows show is then held against the mask so parsed. No X server is
// needed.

#include "resources/pictures/icon_file.h"
#include "resources/pictures/picture_files.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray storedBytes(const QString &fileName)
{
    QFile file(":/pictures/" + fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int u8(const QByteArray &bytes, qsizetype at)
{
    return static_cast<unsigned char>(bytes.at(at));
}

int u16be(const QByteArray &bytes, qsizetype at)
{
    return u8(bytes, at) << 8 | u8(bytes, at + 1);
}

int u16le(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

qint64 u32le(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

struct JpegFrame
{
    bool jfif = false;
    QList<int> frameMarkers; // every start-of-frame marker, in order
    int precision = 0;
    int width = 0;
    int height = 0;
    int components = 0;
};

// Walks the marker segments from the start of the image to the start of the
// scan data.
JpegFrame readJpegFrame(const QByteArray &bytes)
{
    JpegFrame frame;
    if (bytes.size() < 4 || u16be(bytes, 0) != 0xffd8)
        return frame;
    qsizetype at = 2;
    while (at + 4 <= bytes.size() && u8(bytes, at) == 0xff) {
        const int marker = u8(bytes, at + 1);
        const int length = u16be(bytes, at + 2);
        const qsizetype body = at + 4;
        if (marker == 0xe0 && bytes.mid(body, 5) == QByteArray("JFIF\0", 5))
            frame.jfif = true;
        const bool startOfFrame =
            marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (startOfFrame && body + 6 <= bytes.size()) {
            frame.frameMarkers.append(marker);
            frame.precision = u8(bytes, body);
            frame.height = u16be(bytes, body + 1);
            frame.width = u16be(bytes, body + 3);
            frame.components = u8(bytes, body + 5);
        }
        if (marker == 0xda) // start of scan: the headers are over
            break;
        at += 2 + length;
    }
    return frame;
}

} // namespace

class TestPictureFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyImageIsStoredOnce();
    void jpegPictures_data();
    void jpegPictures();
    void windowIconFile();
    void windowIconKeepsItsMask();
};

void TestPictureFiles::initTestCase()
{
    layout::registerPictures();
}

void TestPictureFiles::everyImageIsStoredOnce()
{
    const QStringList stored = QDir(":/pictures").entryList(QDir::Files, QDir::Name);
    // Each picture once at its own size and once at twice it; the icon once.
    const QStringList expected{"camera_mark.jpg",
                               "camera_mark@2x.jpg",
                               "home_background.jpg",
                               "home_background@2x.jpg",
                               "programme_portrait.jpg",
                               "programme_portrait@2x.jpg",
                               "programmes_background.jpg",
                               "programmes_background@2x.jpg",
                               "site_mark.jpg",
                               "site_mark@2x.jpg",
                               "social_mark.jpg",
                               "social_mark@2x.jpg",
                               "surah_portrait.jpg",
                               "surah_portrait@2x.jpg",
                               "video_site_mark.jpg",
                               "video_site_mark@2x.jpg",
                               "window_icon.ico"};
    QCOMPARE(stored, expected);
}

void TestPictureFiles::jpegPictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("pixels");
    const std::pair<const char *, QSize> pictures[] = {
        {"surah_portrait.jpg", QSize(299, 204)},  {"programme_portrait.jpg", QSize(203, 240)},
        {"home_background.jpg", QSize(408, 245)}, {"programmes_background.jpg", QSize(304, 220)},
        {"camera_mark.jpg", QSize(13, 16)},       {"site_mark.jpg", QSize(16, 16)},
        {"social_mark.jpg", QSize(16, 16)},       {"video_site_mark.jpg", QSize(42, 21)},
    };
    for (const auto &[file, pixels] : pictures) {
        QTest::newRow(file) << QString::fromLatin1(file) << pixels;
        const QString doubled = layout::doubleSizeFileName(QString::fromLatin1(file));
        QTest::newRow(qPrintable(doubled)) << doubled << pixels * 2;
    }
}

void TestPictureFiles::jpegPictures()
{
    QFETCH(QString, file);
    QFETCH(QSize, pixels);
    const QByteArray bytes = storedBytes(file);
    QVERIFY2(!bytes.isEmpty(), "not in the resource");
    const JpegFrame frame = readJpegFrame(bytes);
    QVERIFY(frame.jfif);
    // One frame, baseline (SOF0), 8-bit samples, three colour components.
    QCOMPARE(frame.frameMarkers, QList<int>{0xc0});
    QCOMPARE(frame.precision, 8);
    QCOMPARE(frame.components, 3);
    QCOMPARE(QSize(frame.width, frame.height), pixels);
    QCOMPARE(u16be(bytes, bytes.size() - 2), 0xffd9); // ends with the end-of-image marker
}

void TestPictureFiles::windowIconFile()
{
    const QByteArray bytes = storedBytes("window_icon.ico");
    const int colourBytes = 32 * 32 * 3;
    const int maskBytes = 32 * 4; // one bit a pixel, rows padded to four bytes
    QCOMPARE(bytes.size(), 6 + 16 + 40 + colourBytes + maskBytes);
    // The directory: an icon (type 1) holding one image.
    QCOMPARE(u16le(bytes, 0), 0);
    QCOMPARE(u16le(bytes, 2), 1);
    QCOMPARE(u16le(bytes, 4), 1);
    // Its entry: 32 x 32, no palette, one plane, 24 bits, where and how long.
    QCOMPARE(u8(bytes, 6), 32);
    QCOMPARE(u8(bytes, 7), 32);
    QCOMPARE(u8(bytes, 8), 0);
    QCOMPARE(u16le(bytes, 10), 1);
    QCOMPARE(u16le(bytes, 12), 24);
    QCOMPARE(u32le(bytes, 14), qint64(40 + colourBytes + maskBytes));
    QCOMPARE(u32le(bytes, 18), qint64(22));
    // The bitmap header: twice the height, for the colours and the mask.
    QCOMPARE(u32le(bytes, 22), qint64(40));
    QCOMPARE(u32le(bytes, 26), qint64(32));
    QCOMPARE(u32le(bytes, 30), qint64(64));
    QCOMPARE(u16le(bytes, 34), 1);
    QCOMPARE(u16le(bytes, 36), 24);
    QCOMPARE(u32le(bytes, 38), qint64(0)); // uncompressed
    // The mask has both transparent and opaque pixels.
    const QByteArray mask = bytes.right(maskBytes);
    QVERIFY(mask.count('\0') > 0);
    QVERIFY(mask.count('\xff') > 0);
}

void TestPictureFiles::windowIconKeepsItsMask()
{
    // The icon as windows show it: transparent where the mask is set.
    const QByteArray bytes = storedBytes("window_icon.ico");
    const QImage icon = layout::readIconImage(bytes);
    QCOMPARE(icon.size(), QSize(32, 32));
    const QByteArray mask = bytes.right(32 * 4);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            // Rows bottom first; the leftmost pixel in the highest bit.
            const bool transparent = u8(mask, (31 - y) * 4 + x / 8) & (0x80 >> (x % 8));
            QCOMPARE(qAlpha(icon.pixel(x, y)), transparent ? 0 : 255);
        }
    }
}

QTEST_GUILESS_MAIN(TestPictureFiles)
#include "tst_picture_files.moc"
