// The sound outputs a core tries: only those that can work on the machine,
// so that none writes its failure to the terminal.

#include "player/sound_outputs.h"

#include <QTest>

class TestSoundOutputs : public QObject
{
    Q_OBJECT

private slots:
    void outputsFollowTheMachine_data();
    void outputsFollowTheMachine();
};

void TestSoundOutputs::outputsFollowTheMachine_data()
{
    QTest::addColumn<bool>("pipeWire");
    QTest::addColumn<bool>("cards");
    QTest::addColumn<QByteArray>("outputs");
    QTest::newRow("PipeWire desktop") << true << true << QByteArray("pipewire,pulse,alsa");
    QTest::newRow("PulseAudio desktop") << false << true << QByteArray("pulse,alsa");
    QTest::newRow("PipeWire, no card (a virtual machine)")
        << true << false << QByteArray("pipewire,pulse");
    QTest::newRow("nothing: PulseAudio's output waits silently for a server")
        << false << false << QByteArray("pulse");
}

void TestSoundOutputs::outputsFollowTheMachine()
{
    QFETCH(bool, pipeWire);
    QFETCH(bool, cards);
    QFETCH(QByteArray, outputs);
    QCOMPARE(player::soundOutputs({pipeWire, cards}), outputs);
}

QTEST_GUILESS_MAIN(TestSoundOutputs)
#include "tst_sound_outputs.moc"
