// The playback state worked out from the core's reports, without a core:
// sequences of reports, user requests and clock readings in, the status,
// fault, position and length the user is shown out.

#include "player/playback_tracker.h"

#include <QTest>
#include <functional>
#include <vector>

using player::EndReason;
using player::Fault;
using player::Observed;
using player::PlaybackState;
using player::PlaybackTracker;
using player::Status;

namespace {

using Step = std::function<void(PlaybackTracker &)>;
using Steps = std::vector<Step>;

// Reports and requests, as the engine hands them over.
Step open(const char *title = "clip.mp4")
{
    return [title](PlaybackTracker &t) {
        t.opening(QString::fromUtf8(title));
        t.loadSent();
    };
}
Step replied(qint64 entry)
{
    return [entry](PlaybackTracker &t) {
        t.loadReplied(t.loadNumber(), true, entry);
    };
}
Step refused()
{
    return [](PlaybackTracker &t) {
        t.loadReplied(t.loadNumber(), false, -1);
    };
}
Step loaded(qint64 nowMs = 0)
{
    return [nowMs](PlaybackTracker &t) {
        t.fileLoaded(nowMs);
    };
}
Step ended(qint64 entry, EndReason reason, Fault fault = Fault::None)
{
    return [=](PlaybackTracker &t) {
        t.fileEnded(entry, reason, fault);
    };
}
Step set(Observed property, std::optional<double> value)
{
    return [=](PlaybackTracker &t) {
        t.propertyChanged(property, value);
    };
}
Step at(double position, double duration)
{
    return [=](PlaybackTracker &t) {
        t.propertyChanged(Observed::Duration, duration);
        t.propertyChanged(Observed::Position, position);
    };
}
Step seekTo(double target)
{
    return [target](PlaybackTracker &t) {
        t.seekRequested(target);
    };
}
Step pauseRequested(bool paused)
{
    return [paused](PlaybackTracker &t) {
        t.pauseRequested(paused);
    };
}
Step watch(qint64 nowMs)
{
    return [nowMs](PlaybackTracker &t) {
        t.watchTheEnd(nowMs);
    };
}
Step ticks(int seconds)
{
    return [seconds](PlaybackTracker &t) {
        for (int i = 0; i < seconds; ++i)
            t.connectingTick();
    };
}
Step named(Fault fault)
{
    return [fault](PlaybackTracker &t) {
        t.faultNamed(fault);
    };
}

// A 60-second file of entry 1, loaded and playing from the start.
Steps playing()
{
    return {
        open(),       replied(1), set(Observed::CoreIdle, 0), loaded(), set(Observed::Paused, 0),
        at(0.0, 60.0)};
}

void runSteps(PlaybackTracker &tracker, const Steps &steps)
{
    for (const Step &step : steps)
        step(tracker);
}

Steps operator+(Steps first, const Steps &then)
{
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

struct Expected
{
    Status status;
    Fault fault = Fault::None;
    double position = -1; // not looked at when negative
    double duration = -1;
};

} // namespace

Q_DECLARE_METATYPE(Steps)
Q_DECLARE_METATYPE(Expected)

class TestPlaybackTracker : public QObject
{
    Q_OBJECT

private slots:
    void statusFollowsTheReports_data();
    void statusFollowsTheReports();
    void failureAsksTheLocationWhy();
    void connectingGivesUpAfterItsDeadline();
    void positionIsToldAFewTimesASecond();
    void restMeansNothingOpenOrOpening();
    void pauseHoldsWhileConnecting();
};

void TestPlaybackTracker::statusFollowsTheReports_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<Expected>("expected");
    const auto row = [](const char *name, Steps steps, Expected expected) {
        QTest::newRow(name) << steps << expected;
    };
    row("nothing yet", {}, {Status::Idle});
    row("opening", {open()}, {Status::Connecting, Fault::None, 0.0, 0.0});
    row("data awaited before the first frame", {open(), set(Observed::PausedForCache, 1)},
        {Status::Buffering});
    row("playing", playing(), {Status::Playing, Fault::None, 0.0, 60.0});
    row("paused", playing() + Steps{set(Observed::Paused, 1)}, {Status::Paused});
    row("stalled", playing() + Steps{set(Observed::PausedForCache, 1)}, {Status::Buffering});
    row("seeking", playing() + Steps{set(Observed::Seeking, 1)}, {Status::Buffering});
    row("seek done", playing() + Steps{set(Observed::Seeking, 1), set(Observed::Seeking, 0)},
        {Status::Playing});
    row("paused while stalled",
        playing() + Steps{set(Observed::PausedForCache, 1), set(Observed::Paused, 1)},
        {Status::Paused});
    row("location refused", {open(), refused()}, {Status::Failed, Fault::UnsupportedMedia});
    row("played to the end", playing() + Steps{at(59.9, 60.0), ended(1, EndReason::EndOfFile)},
        {Status::Finished, Fault::None, 60.0, 60.0});
    row("stream ended before its media",
        playing() + Steps{at(10.0, 60.0), ended(1, EndReason::EndOfFile)},
        {Status::EndedEarly, Fault::None, 10.0, 60.0});
    row("sought past the end",
        playing() + Steps{at(50.0, 60.0), seekTo(70.0), ended(1, EndReason::EndOfFile)},
        {Status::Finished, Fault::None, 60.0, 60.0});
    row("failed", playing() + Steps{ended(1, EndReason::Error, Fault::Network)},
        {Status::Failed, Fault::Network});
    row("stopped", playing() + Steps{at(12.0, 60.0), ended(1, EndReason::Other)},
        {Status::Stopped, Fault::None, 0.0, 60.0});
    // A new choice replaces the file that played: the old file's end and the
    // reply to its load belong to no choice.
    row("end of a replaced file", playing() + Steps{open("next.mp4"), ended(1, EndReason::Other)},
        {Status::Connecting, Fault::None, 0.0, 0.0});
    row("end before the reply names the entry",
        {open(), ended(1, EndReason::Error, Fault::NotFound)}, {Status::Connecting});
    row("reply to a replaced load",
        {open(), open("next.mp4"),
         [](PlaybackTracker &t) {
             t.loadReplied(t.loadNumber() - 1, false, -1);
         }},
        {Status::Connecting});
    // The location's answer names the fault of the load that failed last.
    row("fault named",
        playing() + Steps{ended(1, EndReason::Error, Fault::Network), named(Fault::NotFound)},
        {Status::Failed, Fault::NotFound});
    row("no fault named",
        playing() + Steps{ended(1, EndReason::Error, Fault::Network), named(Fault::None)},
        {Status::Failed, Fault::Network});
    row("fault named after a new choice",
        playing() + Steps{ended(1, EndReason::Error, Fault::Network), open("next.mp4"),
                          named(Fault::NotFound)},
        {Status::Connecting, Fault::None});
    // The end watch: the media ends where its position stands at the end,
    // goes past it, or stops moving at all.
    row("at the end, not yet long enough",
        playing() + Steps{at(59.8, 60.0), watch(1000), watch(2400)}, {Status::Playing});
    row("standing at the end", playing() + Steps{at(59.8, 60.0), watch(1000), watch(2500)},
        {Status::Finished, Fault::None, 60.0, 60.0});
    row("gone past the end", playing() + Steps{at(60.5, 60.0), watch(1000)},
        {Status::Finished, Fault::None, 60.0, 60.0});
    row("paused at the end",
        playing() + Steps{at(59.8, 60.0), set(Observed::Paused, 1), watch(1000), watch(9000)},
        {Status::Paused});
    row("position frozen mid-file", playing() + Steps{at(20.0, 3600.0), watch(1000), watch(3999)},
        {Status::Playing});
    row("frozen long enough: ends where it stands",
        playing() + Steps{at(20.0, 3600.0), watch(1000), watch(4000)},
        {Status::Finished, Fault::None, 20.0, 20.0});
    row("frozen while stalled",
        playing() +
            Steps{at(20.0, 3600.0), set(Observed::PausedForCache, 1), watch(1000), watch(9000)},
        {Status::Buffering});
    // What moves besides the picture: a slide stands for seconds while its
    // voice plays on; junk moves neither. Without sound, a later picture
    // read ahead is awaited; a stream read to its end is left to the core.
    row("picture frozen, sound moving",
        playing() + Steps{at(20.0, 3600.0), set(Observed::AudioPosition, 20.0), watch(1000),
                          set(Observed::AudioPosition, 22.0), watch(3000),
                          set(Observed::AudioPosition, 24.0), watch(5000), watch(7999)},
        {Status::Playing});
    row("picture and sound frozen",
        playing() +
            Steps{at(20.0, 3600.0), set(Observed::AudioPosition, 20.1), watch(1000), watch(4000)},
        {Status::Finished, Fault::None, 20.0, 20.0});
    row("no sound, a later picture read ahead",
        playing() +
            Steps{at(7.0, 21.0), set(Observed::CachedUntil, 14.0), watch(1000), watch(6000)},
        {Status::Playing});
    row("no sound, nothing later read ahead",
        playing() +
            Steps{at(20.0, 3600.0), set(Observed::CachedUntil, 20.1), watch(1000), watch(4000)},
        {Status::Finished, Fault::None, 20.0, 20.0});
    row("stream read to its end",
        playing() + Steps{at(20.0, 3600.0), set(Observed::AudioPosition, 20.0),
                          set(Observed::DemuxerAtEnd, 1), watch(1000), watch(9000)},
        {Status::Playing});
    // The file's end short of its header's length: cut, when its bytes
    // stopped short; finished, when they all came.
    row("every byte came, shorter than the header said",
        playing() + Steps{set(Observed::StreamEnd, 1000000), set(Observed::StreamPosition, 990000),
                          at(6.0, 3600000.0), ended(1, EndReason::EndOfFile)},
        {Status::Finished, Fault::None, 6.0, 6.0});
    row("bytes stopped midway",
        playing() + Steps{set(Observed::StreamEnd, 1000000), set(Observed::StreamPosition, 500000),
                          at(10.0, 60.0), ended(1, EndReason::EndOfFile)},
        {Status::EndedEarly, Fault::None, 10.0, 60.0});
    row("sound played on past the last picture",
        playing() + Steps{at(10.0, 12.0), set(Observed::AudioPosition, 11.9),
                          ended(1, EndReason::EndOfFile)},
        {Status::Finished, Fault::None, 12.0, 12.0});
    // A pause given while connecting holds through the core's report of its
    // state before the load, and the file opens paused.
    row("pause held while connecting", {open(), pauseRequested(true), set(Observed::Paused, 0)},
        {Status::Connecting});
    row("file opens paused",
        {open(), pauseRequested(true), set(Observed::Paused, 0), replied(1), loaded(),
         set(Observed::Paused, 1)},
        {Status::Paused});
    row("a new choice plays", playing() + Steps{pauseRequested(true), open("next.mp4")},
        {Status::Connecting});
    row("ended by the watch, then the core's end",
        playing() + Steps{at(60.5, 60.0), watch(1000), ended(1, EndReason::Other)},
        {Status::Finished, Fault::None, 60.0, 60.0});
}

void TestPlaybackTracker::statusFollowsTheReports()
{
    QFETCH(Steps, steps);
    QFETCH(Expected, expected);
    PlaybackTracker tracker;
    runSteps(tracker, steps);
    const PlaybackState &state = tracker.state();
    QCOMPARE(state.status, expected.status);
    QCOMPARE(state.fault, expected.fault);
    if (expected.position >= 0)
        QCOMPARE(state.position, expected.position);
    if (expected.duration >= 0)
        QCOMPARE(state.duration, expected.duration);
}

void TestPlaybackTracker::failureAsksTheLocationWhy()
{
    PlaybackTracker tracker;
    runSteps(tracker, playing());
    QVERIFY(!tracker.fileEnded(2, EndReason::Error, Fault::Network)); // another entry
    QVERIFY(tracker.fileEnded(1, EndReason::Error, Fault::Network));
    runSteps(tracker, playing());
    QVERIFY(!tracker.fileEnded(1, EndReason::EndOfFile, Fault::None));
}

void TestPlaybackTracker::connectingGivesUpAfterItsDeadline()
{
    PlaybackTracker tracker;
    open()(tracker);
    const quint64 load = tracker.loadNumber();
    replied(1)(tracker);
    for (int second = 1; second < PlaybackTracker::kOpenDeadlineSeconds; ++second) {
        QVERIFY(tracker.connectingTick());
        QCOMPARE(tracker.state().waitSeconds, second);
        QCOMPARE(tracker.state().status, Status::Connecting);
    }
    QVERIFY(!tracker.connectingTick());
    QCOMPARE(tracker.state().status, Status::Failed);
    QCOMPARE(tracker.state().fault, Fault::TooSlow);
    // What the core still reports of the abandoned load changes nothing:
    // its late refusal, its file, its end.
    tracker.loadReplied(load, false, -1);
    loaded()(tracker);
    ended(1, EndReason::Other)(tracker);
    QCOMPARE(tracker.state().status, Status::Failed);
    QCOMPARE(tracker.state().fault, Fault::TooSlow);
    // Once data arrives, the clock has no say.
    PlaybackTracker playingTracker;
    runSteps(playingTracker, playing());
    ticks(2 * PlaybackTracker::kOpenDeadlineSeconds)(playingTracker);
    QCOMPARE(playingTracker.state().status, Status::Playing);
    QCOMPARE(playingTracker.state().waitSeconds, 0);
}

void TestPlaybackTracker::positionIsToldAFewTimesASecond()
{
    PlaybackTracker tracker;
    QVERIFY(!tracker.takeChange()); // nothing happened
    runSteps(tracker, playing());
    const std::optional<PlaybackState> started = tracker.takeChange();
    QVERIFY(started);
    QCOMPARE(started->status, Status::Playing);
    QVERIFY(!tracker.takeChange());
    set(Observed::Position, 0.1)(tracker);
    QVERIFY(!tracker.takeChange()); // a frame on
    set(Observed::Position, 0.25)(tracker);
    const std::optional<PlaybackState> moved = tracker.takeChange();
    QVERIFY(moved);
    QCOMPARE(moved->position, 0.25);
    set(Observed::Position, 0.3)(tracker);
    set(Observed::Volume, 80)(tracker);
    const std::optional<PlaybackState> change = tracker.takeChange();
    QVERIFY(change); // with anything else, a small step is told too
    QCOMPARE(change->volume, 80);
    QCOMPARE(change->position, 0.3);
}

void TestPlaybackTracker::restMeansNothingOpenOrOpening()
{
    PlaybackTracker tracker;
    QVERIFY(tracker.isAtRest());
    open()(tracker);
    QVERIFY(!tracker.isAtRest());
    runSteps(tracker, playing());
    QVERIFY(!tracker.isAtRest());
    ended(1, EndReason::Other)(tracker);
    QVERIFY(!tracker.isAtRest()); // the core has not let go yet
    set(Observed::CoreIdle, 1)(tracker);
    QVERIFY(tracker.isAtRest());
}

// The core reports its pause from before the load; the user's pause, given
// while connecting, is what the state shows until the file is open.
void TestPlaybackTracker::pauseHoldsWhileConnecting()
{
    PlaybackTracker tracker;
    runSteps(tracker, {open(), pauseRequested(true), set(Observed::Paused, 0)});
    QCOMPARE(tracker.state().status, Status::Connecting);
    QVERIFY(tracker.state().paused);
    runSteps(tracker, {replied(1), loaded(), set(Observed::Paused, 0)});
    QCOMPARE(tracker.state().status, Status::Playing);
    QVERIFY(!tracker.state().paused);
}

QTEST_GUILESS_MAIN(TestPlaybackTracker)
#include "tst_playback_tracker.moc"
