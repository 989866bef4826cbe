// What a player can do in each state, as the engine, the buttons, the status
// line and the desktop's remote controls ask it: one table of every state.

#include "player/playback_rules.h"

#include <QTest>

using player::PlaybackState;
using player::Status;

class TestPlaybackRules : public QObject
{
    Q_OBJECT

private slots:
    void eachStateAllows_data();
    void eachStateAllows();
};

void TestPlaybackRules::eachStateAllows_data()
{
    QTest::addColumn<Status>("status");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<bool>("running");   // a file is open
    QTest::addColumn<bool>("stoppable"); // stop has something to end
    QTest::addColumn<bool>("seekable");
    QTest::addColumn<bool>("pauses"); // play/pause pauses (else plays)
    const auto row = [](const char *name, Status status, bool paused, bool running, bool stoppable,
                        bool seekable, bool pauses) {
        QTest::newRow(name) << status << paused << running << stoppable << seekable << pauses;
    };
    row("idle", Status::Idle, false, false, false, false, false);
    row("connecting", Status::Connecting, false, false, true, false, true);
    row("connecting, pause held", Status::Connecting, true, false, true, false, false);
    row("buffering", Status::Buffering, false, true, true, true, true);
    row("playing", Status::Playing, false, true, true, true, true);
    row("paused", Status::Paused, true, true, true, true, false);
    row("stopped", Status::Stopped, false, false, false, false, false);
    row("finished", Status::Finished, false, false, false, false, false);
    row("ended early", Status::EndedEarly, false, false, false, false, false);
    row("failed", Status::Failed, false, false, false, false, false);
}

void TestPlaybackRules::eachStateAllows()
{
    QFETCH(Status, status);
    QFETCH(bool, paused);
    QFETCH(bool, running);
    QFETCH(bool, stoppable);
    QFETCH(bool, seekable);
    QFETCH(bool, pauses);
    PlaybackState state;
    state.status = status;
    state.paused = paused;
    QCOMPARE(player::isRunning(status), running);
    QCOMPARE(player::isUnderway(status), stoppable);
    QCOMPARE(player::canSeek(status), seekable);
    QCOMPARE(player::pausesNow(state), pauses);
}

QTEST_APPLESS_MAIN(TestPlaybackRules)
#include "tst_playback_rules.moc"
