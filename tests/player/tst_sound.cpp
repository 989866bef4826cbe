// What a person hears: a real sound server of the test's own (PulseAudio
// with a null sink, in a private runtime folder), the players' streams as
// the desktop's mixer lists them, and what reaches the sink recorded from
// its monitor and measured: the clip's 440 Hz tone at the level the volume
// gives it, silence when muted.

#include "common/player_host.h"
#include "media_server.h"
#include "player/translation.h"
#include "sound_server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QtMath>
#include <cmath>
#include <memory>

using player::Status;
using testing::PlayerHost;
using testing::SoundServer;

namespace {

constexpr int kStartTimeout = 20000;
constexpr int kRate = SoundServer::kRate;
const QString kSink = SoundServer::sinkName();

// The properties of every stream playing into the server, as the mixer
// lists them ("pactl list sink-inputs").
QList<QMap<QString, QString>> streams()
{
    QList<QMap<QString, QString>> found;
    const QString listing = QString::fromUtf8(
        SoundServer::run(QStringLiteral("pactl"), {"list", "sink-inputs"}).second);
    for (const QString &line : listing.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Sink Input #")))
            found.append(QMap<QString, QString>());
        const int equals = line.indexOf(QStringLiteral(" = \""));
        if (equals > 0 && !found.isEmpty() && line.endsWith(QLatin1Char('"')))
            found.last().insert(line.left(equals).trimmed(),
                                line.mid(equals + 4, line.size() - equals - 5));
    }
    return found;
}

// What reaches the sink over the next `seconds`, as 16-bit mono samples.
QVector<qint16> record(double seconds)
{
    QProcess recorder;
    recorder.start(QStringLiteral("parec"),
                   {QStringLiteral("--device=%1.monitor").arg(kSink), "--format=s16le",
                    QStringLiteral("--rate=%1").arg(kRate), "--channels=1", "--raw"});
    const qsizetype wanted = qsizetype(seconds * kRate) * 2;
    QByteArray bytes;
    while (bytes.size() < wanted && recorder.waitForReadyRead(5000))
        bytes += recorder.readAllStandardOutput();
    recorder.kill();
    recorder.waitForFinished();
    QVector<qint16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.constData(), size_t(samples.size()) * 2);
    return samples;
}

// The level of the samples in dB below full scale, and their frequency
// counted from the crossings of zero.
double levelOf(const QVector<qint16> &samples)
{
    double sum = 0;
    for (qint16 s : samples)
        sum += double(s) * s;
    const double rms = std::sqrt(sum / qMax<qsizetype>(1, samples.size())) / 32768.0;
    return rms > 0 ? 20.0 * std::log10(rms) : -200.0;
}
double frequencyOf(const QVector<qint16> &samples)
{
    int crossings = 0;
    for (qsizetype i = 1; i < samples.size(); ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0))
            ++crossings;
    }
    return crossings / 2.0 / (double(samples.size()) / kRate);
}

} // namespace

class TestSound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void episodeIsHeard();
    void twoWindowsAreTwoNamedStreams();
    void soundComesBackWithTheServer();

private:
    SoundServer m_sound;
    MediaServer m_server;
};

void TestSound::initTestCase()
{
    QVERIFY(m_sound.start());
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
}

// The clip's tone (ffmpeg's sine: an eighth of full scale, -21 dBFS) at
// volume 50, which mpv turns into a gain of 0.5 cubed (-18 dB); louder at
// 100, silent when muted.
void TestSound::episodeIsHeard()
{
    PlayerHost host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QTRY_VERIFY(!streams().isEmpty());

    QVector<qint16> heard = record(1.0);
    QVERIFY2(qAbs(frequencyOf(heard) - 440.0) < 10.0,
             qPrintable(QString::number(frequencyOf(heard))));
    const double atHalf = levelOf(heard);
    qInfo("heard %.1f Hz at %.1f dBFS", frequencyOf(heard), atHalf);
    QVERIFY2(qAbs(atHalf - (-21.0 - 18.1)) < 3.0, qPrintable(QString::number(atHalf)));

    host.engine()->setVolume(100);
    QTRY_VERIFY(levelOf(record(0.3)) > atHalf + 15.0);

    host.engine()->setMuted(true);
    QTRY_VERIFY(levelOf(record(0.3)) < -90.0);
}

// Each playing window is a stream of its own in the mixer, named as the
// desktop's media controls name it: the application, and the window's list
// text with the episode's label.
void TestSound::twoWindowsAreTwoNamedStreams()
{
    PlayerHost first;
    PlayerHost second;
    second.window.move(400, 0);
    QVERIFY(first.show());
    QVERIFY(second.show());
    first.player->setTitle(QStringLiteral("ســــورة  البقـــرة - 1"));
    second.player->setTitle(QStringLiteral("ســــورة  يـــس - 12"));
    first.player->setUrl(m_server.url("clip.mp4"));
    second.player->setUrl(m_server.url("clip.mkv"));
    QTRY_VERIFY_WITH_TIMEOUT(first.position() > 0.5 && second.position() > 0.5, kStartTimeout);
    QTRY_COMPARE(streams().size(), 2);
    QStringList titles;
    for (const auto &stream : streams()) {
        QCOMPARE(stream.value("application.name"), QStringLiteral("Tafsir Videos"));
        titles << stream.value("media.name");
    }
    titles.sort();
    QStringList expected{QStringLiteral("ســــورة  البقـــرة - 1"),
                         QStringLiteral("ســــورة  يـــس - 12")};
    expected.sort();
    QCOMPARE(titles, expected);
}

// The sound server goes away in the middle of an episode and comes back:
// meanwhile the status says the sound goes nowhere, and the sound is back
// by itself, without a new choice.
void TestSound::soundComesBackWithTheServer()
{
    player::installTranslation();
    PlayerHost host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("slides.mp4")); // 12 s of the tone
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.2, kStartTimeout);
    QTRY_VERIFY(!streams().isEmpty());
    QVERIFY(!host.engine()->state().soundLost);

    m_sound.stop();
    QTRY_VERIFY_WITH_TIMEOUT(host.engine()->state().soundLost, 5000);
    QCOMPARE(host.status(), Status::Playing);
    QCOMPARE(host.statusLabel(), QStringLiteral("قيد التشغيل · لا مخرج للصوت"));

    QVERIFY(m_sound.start());
    QElapsedTimer back;
    back.start();
    QTRY_VERIFY_WITH_TIMEOUT(!streams().isEmpty(), 5000);
    QTRY_VERIFY(!host.engine()->state().soundLost);
    qInfo("sound back %lld ms after the server", back.elapsed());
    QCOMPARE(host.status(), Status::Playing);
    QCOMPARE(host.statusLabel(), QStringLiteral("قيد التشغيل"));
    // Heard again, once the new stream has filled its buffer.
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(frequencyOf(record(0.3)) - 440.0) < 10.0, 3000);
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
