// What MPRIS clients are told about a player, worked out from its state
// alone: the playback status of every player status, the metadata of an
// item, and which position reports are seeks rather than playback.

#include "player/desktop/mpris_properties.h"
#include "player/desktop/position_jumps.h"

#include <QTest>

using player::PlaybackState;
using player::PositionJumps;
using player::Status;
namespace mpris = player::mpris;

Q_DECLARE_METATYPE(player::Status)

namespace {

// A position report: where, whether playback runs from then on, and when.
struct Report
{
    double position;
    bool advancing;
    qint64 clockMs;
};

} // namespace

Q_DECLARE_METATYPE(QList<Report>)

class TestMprisValues : public QObject
{
    Q_OBJECT

private slots:
    void playbackStatus_data();
    void playbackStatus();
    void metadataOfAnItem();
    void metadataWithoutAnItem();
    void lengthOnlyOnceKnown();
    void everyItemItsOwnId();
    void playerProperties();
    void serviceNamePerProcess();
    void positionJumps_data();
    void positionJumps();
    void resetForgetsThePast();
};

void TestMprisValues::playbackStatus_data()
{
    QTest::addColumn<Status>("status");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<QString>("expected");
    QTest::newRow("idle") << Status::Idle << false << "Stopped";
    QTest::newRow("connecting") << Status::Connecting << false << "Playing";
    QTest::newRow("connecting, paused") << Status::Connecting << true << "Paused";
    QTest::newRow("buffering") << Status::Buffering << false << "Playing";
    QTest::newRow("playing") << Status::Playing << false << "Playing";
    QTest::newRow("paused") << Status::Paused << true << "Paused";
    QTest::newRow("stopped") << Status::Stopped << false << "Stopped";
    QTest::newRow("finished") << Status::Finished << false << "Stopped";
    QTest::newRow("ended early") << Status::EndedEarly << false << "Stopped";
    QTest::newRow("failed") << Status::Failed << false << "Stopped";
}

void TestMprisValues::playbackStatus()
{
    QFETCH(Status, status);
    QFETCH(bool, paused);
    QFETCH(QString, expected);
    player::PlaybackState state;
    state.status = status;
    state.paused = paused;
    QCOMPARE(mpris::playbackStatus(state), expected);
}

void TestMprisValues::metadataOfAnItem()
{
    const mpris::Track track{7, "http://127.0.0.1:8080/a%20b.mp4", "a b", 12.5};
    const QVariantMap map = mpris::metadata(track);
    QCOMPARE(map.value("mpris:trackid").value<QDBusObjectPath>(), mpris::trackId(7));
    QCOMPARE(map.value("mpris:length"), QVariant(qlonglong(12500000)));
    QCOMPARE(map.value("xesam:title"), QVariant("a b"));
    QCOMPARE(map.value("xesam:url"), QVariant("http://127.0.0.1:8080/a%20b.mp4"));
    QCOMPARE(map.size(), 4);
}

void TestMprisValues::metadataWithoutAnItem()
{
    const QVariantMap map = mpris::metadata(mpris::Track{});
    QCOMPARE(map.keys(), QStringList{"mpris:trackid"});
    QCOMPARE(map.value("mpris:trackid").value<QDBusObjectPath>().path(),
             QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
}

void TestMprisValues::lengthOnlyOnceKnown()
{
    const QVariantMap map = mpris::metadata(mpris::Track{3, "http://h/x.mp4", "x", 0.0});
    QVERIFY(!map.contains("mpris:length"));
    QVERIFY(map.contains("xesam:url"));
}

void TestMprisValues::everyItemItsOwnId()
{
    QSet<QString> paths;
    for (quint64 number = 0; number < 50; ++number) {
        const QDBusObjectPath id = mpris::trackId(number);
        QVERIFY(!id.path().isEmpty()); // empty when not a valid object path
        paths.insert(id.path());
    }
    QCOMPARE(paths.size(), 50);
}

void TestMprisValues::playerProperties()
{
    PlaybackState state;
    state.status = Status::Paused;
    state.volume = 35;
    state.position = 3.0;
    const QVariantMap properties = mpris::playerProperties(state, mpris::Track{1, "u", "t", 8.0});
    QCOMPARE(properties.value("PlaybackStatus"), QVariant("Paused"));
    QCOMPARE(properties.value("Volume"), QVariant(0.35));
    QCOMPARE(properties.value("Metadata").toMap(), mpris::metadata(mpris::Track{1, "u", "t", 8.0}));
    // Clients extrapolate the position; it is never announced.
    QVERIFY(!properties.contains("Position"));
}

void TestMprisValues::serviceNamePerProcess()
{
    QCOMPARE(mpris::serviceName(4242), "org.mpris.MediaPlayer2.tafsir_videos.instance4242");
}

void TestMprisValues::positionJumps_data()
{
    QTest::addColumn<QList<Report>>("reports");
    QTest::addColumn<QList<bool>>("jumps");

    QTest::newRow("playback keeps pace with the clock")
        << QList<Report>{{0.0, true, 0}, {0.5, true, 500}, {1.0, true, 1000}, {4.0, true, 4000}}
        << QList<bool>{false, false, false, false};
    QTest::newRow("late reports keep pace too")
        << QList<Report>{{1.0, true, 0}, {1.2, true, 1000}, {3.0, true, 2000}}
        << QList<bool>{false, false, false};
    QTest::newRow("forward while playing")
        << QList<Report>{{1.0, true, 0}, {1.5, true, 500}, {11.5, true, 1000}}
        << QList<bool>{false, false, true};
    QTest::newRow("back while playing")
        << QList<Report>{{6.0, true, 0}, {6.5, true, 500}, {1.5, true, 1000}}
        << QList<bool>{false, false, true};
    QTest::newRow("while paused") << QList<Report>{{2.0, false, 0},
                                                   {2.0, false, 60000},
                                                   {5.0, false, 60100}}
                                  << QList<bool>{false, false, true};
    QTest::newRow("a long pause is no seek")
        << QList<Report>{{2.0, true, 0}, {2.5, false, 500}, {2.5, true, 90000}, {3.0, true, 90500}}
        << QList<bool>{false, false, false, false};
    QTest::newRow("a frame's step while paused is no seek")
        << QList<Report>{{2.0, false, 0}, {2.04, false, 100}} << QList<bool>{false, false};
    QTest::newRow("a seek landing short of its target while paused")
        << QList<Report>{{2.0, false, 0}, {5.0, false, 100}, {4.6, false, 300}}
        << QList<bool>{false, true, true};
    QTest::newRow("the same landing while playing")
        << QList<Report>{{2.0, true, 0}, {5.0, true, 100}, {4.6, true, 300}}
        << QList<bool>{false, true, false};
    QTest::newRow("a stall while playing")
        << QList<Report>{{2.0, true, 0}, {2.0, false, 200}, {2.0, true, 5000}, {2.4, true, 5400}}
        << QList<bool>{false, false, false, false};
}

void TestMprisValues::positionJumps()
{
    QFETCH(QList<Report>, reports);
    QFETCH(QList<bool>, jumps);
    PositionJumps detector;
    QList<bool> seen;
    for (const Report &report : reports)
        seen.append(detector.note(report.position, report.advancing, report.clockMs));
    QCOMPARE(seen, jumps);
}

void TestMprisValues::resetForgetsThePast()
{
    PositionJumps detector;
    QVERIFY(!detector.note(6.0, true, 0));
    detector.reset();
    QVERIFY(!detector.note(0.0, true, 100)); // a new item starts at its start
    QVERIFY(!detector.note(0.5, true, 600));
}

QTEST_APPLESS_MAIN(TestMprisValues)
#include "tst_mpris_values.moc"
