// Files as they come from phones, slide recorders and careless muxers, each
// streamed over http to a player: a picture tagged to be turned, pictures
// seconds apart, a header that claims far more than the file holds, frames
// larger than any screen, and shapes too thin to place. What reaches the
// screen is read from the X server and compared with the source; CTest runs
// this on both video surfaces.

#include "common/player_host.h"
#include "common/screen_pictures.h"
#include "media_server.h"
#include "player/audio_card.h"
#include "player/engine.h"
#include "player/player_widget.h"
#include "player/status_text.h"
#include "player/translation.h"
#include "player/video_surface.h"

#include <QDir>
#include <QTest>
#include <QTransform>

using player::Status;
using testing::PlayerHost;

namespace {

constexpr int kStartTimeout = 20000;

QWidget *videoAreaOf(player::PlayerWidget *player)
{
    return player->findChild<QWidget *>(QStringLiteral("videoArea"));
}

QImage orientSource()
{
    return QImage(QDir(QStringLiteral(TEST_MEDIA_DIR)).filePath(QStringLiteral("orient.png")));
}

QImage turned(const QImage &image, int degrees)
{
    return image.transformed(QTransform().rotate(degrees));
}

// Plays a location until it has played a moment, then pauses; the checks
// that follow retry until the screen shows the paused picture.
bool playAndPause(PlayerHost &host, const QString &url)
{
    host.player->setUrl(url);
    if (!QTest::qWaitFor([&] { return host.position() > 0.5; }, kStartTimeout))
        return false;
    host.engine()->pause();
    return QTest::qWaitFor([&] { return host.status() == Status::Paused; });
}

// The smallest rectangle holding the pixels of a picture that are not black.
// A white line scaled to less than a pixel is drawn grey.
QRect brightArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) + qGreen(p) + qBlue(p) > 3 * 40)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

} // namespace

class TestUnusualMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rotatedPictureIsUpright_data();
    void rotatedPictureIsUpright();
    void picturesSecondsApartPlayToTheEnd_data();
    void picturesSecondsApartPlayToTheEnd();
    void overstatedLengthEndsAsFinished();
    void hugePicturePlaysAsSound();
    void thinShapesAreCentred_data();
    void thinShapesAreCentred();

private:
    MediaServer m_server;
};

void TestUnusualMedia::initTestCase()
{
    player::installTranslation();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    QVERIFY(!orientSource().isNull());
}

void TestUnusualMedia::rotatedPictureIsUpright_data()
{
    QTest::addColumn<int>("turn");
    QTest::newRow("a quarter, as phones record") << 90;
    QTest::newRow("a half") << 180;
    QTest::newRow("three quarters") << 270;
}

// The picture is stored on its side and tagged to be turned clockwise for
// display: on screen it matches the source turned so, not as stored.
void TestUnusualMedia::rotatedPictureIsUpright()
{
    QFETCH(int, turn);
    PlayerHost host;
    QVERIFY(host.show());
    QVERIFY(playAndPause(host, m_server.url(QStringLiteral("rotated-%1.mp4").arg(turn))));
    QVERIFY(host.engine()->state().hasVideo);

    const QImage expectedWhole = turned(orientSource(), turn);
    QWidget *area = videoAreaOf(host.player);
    const auto differences = [&] {
        const QImage shot = testing::grabScreenOf(area);
        const QRect rect = testing::videoRect(expectedWhole.size(), shot.size(), false);
        const QImage onScreen = shot.copy(rect);
        const QImage expected = testing::scaledSource(expectedWhole, rect.size());
        const QImage wrongWay = testing::scaledSource(turned(expectedWhole, 180), rect.size());
        return std::pair(testing::meanDifference(onScreen, expected),
                         testing::meanDifference(onScreen, wrongWay));
    };
    QTRY_VERIFY2(differences().first < 16.0 && differences().second > 60.0,
                 qPrintable(QStringLiteral("%1 from upright, %2 from upside down")
                                .arg(differences().first)
                                .arg(differences().second)));
    testing::grabScreenOf(area).save(
        QDir(QStringLiteral(SCREENSHOT_DIR)).filePath(QStringLiteral("rotated-%1.png").arg(turn)));
}

void TestUnusualMedia::picturesSecondsApartPlayToTheEnd_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("lastMoment"); // the end of the voice, or the last picture
    QTest::newRow("slides with a voice, one each 5 s") << "slides.mp4" << 12.0;
    QTest::newRow("a screen recording without sound, one each 7 s") << "screen.mp4" << 14.0;
}

// A picture that stands for seconds is no sign that the media has ended:
// the file plays to its end, which is where the time shown ends.
void TestUnusualMedia::picturesSecondsApartPlayToTheEnd()
{
    QFETCH(QString, file);
    QFETCH(double, lastMoment);
    PlayerHost host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url(file));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(host.status() != Status::Playing && host.status() != Status::Buffering,
                             int(lastMoment * 1000) + kStartTimeout);
    QCOMPARE(host.status(), Status::Finished);
    const double length = host.engine()->duration();
    QVERIFY2(length >= lastMoment - 0.5, qPrintable(QString::number(length)));
    QCOMPARE(host.engine()->position(), length);
}

// The header says 1,000 hours; the file holds 6 s, all of which arrive. At
// its end it has finished, not been cut, and the length shown is what it held.
void TestUnusualMedia::overstatedLengthEndsAsFinished()
{
    PlayerHost host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("long-header.mkv"));
    QTRY_VERIFY_WITH_TIMEOUT(host.engine()->duration() > 3600.0, kStartTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(host.status() != Status::Playing && host.status() != Status::Buffering,
                             kStartTimeout);
    QCOMPARE(host.status(), Status::Finished);
    QVERIFY2(qAbs(host.engine()->duration() - 6.0) < 0.5,
             qPrintable(QString::number(host.engine()->duration())));
    const double length = host.engine()->duration();
    QCOMPARE(host.labelText("timeLabel"), player::timeText(length, length));
}

// Frames beyond what any screen shows are not decoded: the voice plays, the
// card stands in for the picture, and the status says why.
void TestUnusualMedia::hugePicturePlaysAsSound()
{
    PlayerHost host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("huge.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QCOMPARE(host.engine()->state().refusedPicture, QSize(4000, 2250));
    QVERIFY(!host.engine()->state().hasVideo);
    auto *card = host.player->findChild<player::AudioCard *>("audioCard");
    QVERIFY(card && card->isVisible());
    QTRY_COMPARE(host.statusLabel(),
                 QStringLiteral("قيد التشغيل · الصوت وحده، فالصورة أكبر من أن تُعرض"));
    testing::grabScreenOf(&host.window)
        .save(QDir(QStringLiteral(SCREENSHOT_DIR)).filePath(QStringLiteral("huge-picture.png")));

    // The next file shows its picture again.
    QVERIFY(playAndPause(host, m_server.url("orient.mp4")));
    QVERIFY(host.engine()->state().hasVideo);
    QVERIFY(host.engine()->state().refusedPicture.isEmpty());
    QTRY_VERIFY(!card->isVisible());
}

void TestUnusualMedia::thinShapesAreCentred_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("wide");
    QTest::newRow("8000×16") << "strip.mp4" << true;
    QTest::newRow("16×9000") << "column.mp4" << false;
}

// A white strip of 500:1 scales to less than a pixel in the window. It is
// placed across the middle of the video area, as the player places any
// picture, never drawn as a full line along the area's edge. In software it
// shows as a faint line; OpenGL's sampling may lose so thin a line.
void TestUnusualMedia::thinShapesAreCentred()
{
    QFETCH(QString, file);
    QFETCH(bool, wide);
    PlayerHost host;
    QVERIFY(host.show());
    QVERIFY(playAndPause(host, m_server.url(file)));
    const bool mustShow = host.player->surface()->inherits("player::SoftwareVideoSurface");
    QWidget *area = videoAreaOf(host.player);
    QRect white;
    QSize shotSize;
    const auto placedInTheMiddle = [&] {
        const QImage shot = testing::grabScreenOf(area);
        shotSize = shot.size();
        white = brightArea(shot);
        // Nothing on the area's edges, where the core put such a picture.
        const QRect first = wide ? QRect(0, 0, shot.width(), 1) : QRect(0, 0, 1, shot.height());
        const QRect last =
            wide ? first.translated(0, shot.height() - 1) : first.translated(shot.width() - 1, 0);
        if (white.intersects(first) || white.intersects(last))
            return false;
        if (white.isEmpty())
            return !mustShow;
        const int middle = wide ? shot.height() / 2 : shot.width() / 2;
        const int centre = wide ? white.center().y() : white.center().x();
        const int across = wide ? white.width() : white.height();
        const int span = wide ? shot.width() : shot.height();
        return qAbs(centre - middle) <= 2 && across >= span - 2;
    };
    QTRY_VERIFY2(placedInTheMiddle(), qPrintable(QStringLiteral("drawn at %1,%2 %3x%4 in %5x%6")
                                                     .arg(white.x())
                                                     .arg(white.y())
                                                     .arg(white.width())
                                                     .arg(white.height())
                                                     .arg(shotSize.width())
                                                     .arg(shotSize.height())));
}

QTEST_MAIN(TestUnusualMedia)
#include "tst_unusual_media.moc"
