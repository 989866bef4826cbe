// Stress and faults, bounded in count: thousands of navigation commands,
// a thousand quick choices against a server that answers, fails and stalls,
// every episode window playing in turn, and quitting while many players
// play, stream or fail.

#include "app/application.h"
#include "catalogue/catalogue.h"
#include "common/gui_actions.h"
#include "common/process_memory.h"
#include "common/window_names.h"
#include "media_server.h"
#include "player/engine.h"
#include "player/player_widget.h"
#include "resources/layouts/navigation.h"
#include "resources/layouts/text.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>

using player::Status;

namespace {

// Runs a command through its control, as a click does.
bool runControl(QMainWindow *window, const QString &control)
{
    if (auto *item = window->findChild<QAction *>(control)) {
        item->trigger();
        return true;
    }
    if (auto *button = window->findChild<QAbstractButton *>(control)) {
        button->click();
        return true;
    }
    return false;
}

// The longest time the GUI thread went without serving a 10 ms timer.
class StallWatch
{
public:
    StallWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_longest = qMax(m_longest, m_clock.restart()); });
        m_clock.start();
        m_timer.start(10);
    }
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

} // namespace

using testing::visibleWindows;

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tenThousandNavigationCommands();
    void thousandQuickChoicesAgainstAFaultyServer();
    void everyEpisodeWindowPlaysInTurn();
    void quitWhileManyPlayStreamOrFail();

private:
    windows::EpisodeWindow *showEpisodeWindow(const QString &name);

    MediaServer m_server;
    std::unique_ptr<app::Application> m_app;
    // The choices of a run come from one seed, printed, so that a failing
    // run can be replayed: TAFSIR_STRESS_SEED=<seed> gives the same choices.
    QRandomGenerator m_random;
};

void TestStress::initTestCase()
{
    bool given = false;
    const quint32 seed = qEnvironmentVariable("TAFSIR_STRESS_SEED").toUInt(&given);
    const quint32 used = given ? seed : QRandomGenerator::system()->generate();
    m_random.seed(used);
    qInfo("random choices from seed %u (TAFSIR_STRESS_SEED=%u replays them)", used, used);
    app::prepareQtApplication();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    m_server.setMode("missing.mp4", MediaServer::Mode::NotFound);
    m_server.setMode("clip.wmv", MediaServer::Mode::Garbage);
    m_server.setMode("clip.ogv", MediaServer::Mode::Stall);
    m_server.setMode("clip.flv", MediaServer::Mode::CloseMidway);
}

void TestStress::init()
{
    m_app = std::make_unique<app::Application>();
}

void TestStress::cleanup()
{
    m_app.reset();
}

windows::EpisodeWindow *TestStress::showEpisodeWindow(const QString &name)
{
    auto *window =
        qobject_cast<windows::EpisodeWindow *>(m_app->registry().window(testing::idOf(name)));
    for (QMainWindow *other : visibleWindows()) {
        if (other != window)
            other->hide();
    }
    window->show();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

void TestStress::tenThousandNavigationCommands()
{
    m_app->start();
    app::WindowRegistry &registry = m_app->registry();
    QMainWindow *current = registry.existing(layout::form(1));
    QVERIFY(QTest::qWaitForWindowExposed(current));
    QRandomGenerator *random = &m_random;
    QHash<QString, QString> lastOption; // window -> option button clicked last
    long warmResident = 0;
    int warmAt = 0;
    const std::vector<layout::NavigationCommand> table = layout::navigationCommands();
    for (int i = 0; i < 10000; ++i) {
        QList<const layout::NavigationCommand *> runnable;
        for (const layout::NavigationCommand &c : table) {
            if (layout::nameOf(c.source) == current->objectName())
                runnable.append(&c);
        }
        QVERIFY(!runnable.isEmpty());
        const layout::NavigationCommand &command = *runnable[random->bounded(runnable.size())];
        const QString control = layout::toQString(command.control);
        QVERIFY(runControl(current, control));
        if (control.startsWith("Option"))
            lastOption[current->objectName()] = control;

        QMainWindow *target = registry.existing(command.target);
        QVERIFY(target);
        const QList<QMainWindow *> visible = visibleWindows();
        QVERIFY2(
            visible == QList<QMainWindow *>{target},
            qPrintable(QString("after command %1: %2 windows visible").arg(i).arg(visible.size())));
        current = target;
        QCoreApplication::processEvents();
        // Warm once every window exists and has been shown a few times.
        bool allShown = warmResident == 0 && i >= 5000;
        for (int n = 1; allShown && n <= 66; ++n)
            allShown = registry.existing(testing::idOf(QString("Form%1").arg(n))) != nullptr;
        if (allShown) {
            warmResident = testing::anonymousResidentKiB();
            warmAt = i;
        }
    }
    // Windows kept their state: lists filled once, option buttons as left.
    for (const catalogue::ListedWindow &e : catalogue::episodeWindows()) {
        if (auto *w = qobject_cast<windows::EpisodeWindow *>(registry.existing(e.id)))
            QCOMPARE(std::size_t(w->list()->count()), catalogue::labels(e.id).size());
    }
    for (auto it = lastOption.cbegin(); it != lastOption.cend(); ++it) {
        auto *button =
            registry.existing(testing::idOf(it.key()))->findChild<QAbstractButton *>(it.value());
        QVERIFY2(button->isChecked(), qPrintable(it.key() + " " + it.value()));
    }
    QVERIFY2(warmResident > 0, "not every window was reached");
    const int commands = 10000 - warmAt;
    const long grownKiB = testing::anonymousResidentKiB() - warmResident;
    qInfo("private resident memory grew by %ld KiB over the last %d commands", grownKiB, commands);
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer holds freed memory in quarantine, so resident size
    // says nothing there; LeakSanitizer checks for leaks in that build.
    qInfo("memory bound not checked under AddressSanitizer");
#else
    // Here it grows by a few bytes a command (Qt's caches settling); a leak
    // of ours (a list filled again, a window made twice) costs tens of KiB a
    // command, and even a single lost string a command exceeds the bound.
    QVERIFY2(grownKiB * 1024 < long(commands) * 64, qPrintable(QString::number(grownKiB)));
#endif
}

void TestStress::thousandQuickChoicesAgainstAFaultyServer()
{
    const QStringList windowNames{"Form3", "Form5", "Form12", "Form20", "Form42", "Form66"};
    QList<windows::EpisodeWindow *> windows;
    for (const QString &name : windowNames) {
        windows::EpisodeWindow *w = showEpisodeWindow(name);
        QVERIFY(w);
        windows.append(w);
    }
    // Answering, failing (404, garbage, cut midway) and stalling, at random.
    const QStringList files{"clip.mp4", "clip.mkv", "clip.mp3", "missing.mp4",
                            "clip.wmv", "clip.ogv", "clip.flv"};
    QRandomGenerator *random = &m_random;
    // A window's first choice creates its player (engine and GL surface),
    // once; the quick choices are watched after that.
    for (windows::EpisodeWindow *w : windows) {
        w->player()->setUrl(m_server.url("clip.mp4"));
        QVERIFY(w->player()->engine()->isValid());
    }
    StallWatch watch;
    for (int i = 0; i < 1000; ++i) {
        windows::EpisodeWindow *w = windows[random->bounded(windows.size())];
        w->player()->setUrl(m_server.url(files[random->bounded(files.size())]));
        if (i % 10 == 0)
            QTest::qWait(random->bounded(30));
    }
    player::PlayerWidget *last = windows.last()->player();
    last->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(last->engine()->position() > 1.0, 30000);
    QCOMPARE(last->engine()->status(), Status::Playing);
    QCOMPARE(last->engine()->openedLocation(), m_server.url("clip.mp4"));
    qInfo("longest wait of the GUI thread: %lld ms", watch.longestMs());
    // A bound that only a hang exceeds, on any machine this runs on.
    QVERIFY2(watch.longestMs() < 1000, qPrintable(QString::number(watch.longestMs())));
}

void TestStress::everyEpisodeWindowPlaysInTurn()
{
    for (const catalogue::ListedWindow &e : catalogue::episodeWindows()) {
        const QString name = layout::toQString(e.name);
        windows::EpisodeWindow *w = showEpisodeWindow(name);
        QVERIFY2(w, qPrintable(name));
        // The user's choice hands the catalogue's location over exactly.
        QVERIFY(testing::chooseWithKeyboard(w->list(), 0));
        QCOMPARE(w->player()->url(), layout::toQString(*catalogue::location(e.id, 0)));
        // The catalogue's hosts are not reachable here; the same player plays a
        // local copy, then stops so that the next one has the machine.
        w->player()->setUrl(m_server.url("clip.mp4"));
        QTRY_VERIFY2_WITH_TIMEOUT(w->player()->engine()->position() > 0.3, qPrintable(name), 30000);
        w->player()->stop();
        QTRY_COMPARE(w->player()->engine()->status(), Status::Stopped);
    }
}

void TestStress::quitWhileManyPlayStreamOrFail()
{
    const QStringList files{"clip.mp4", "clip.ogv", "missing.mp4", "clip.mkv", "clip.wmv",
                            "clip.mp3", "clip.flv", "clip.mp4",    "clip.ogv", "clip.mkv"};
    windows::EpisodeWindow *visible = nullptr;
    for (int i = 0; i < files.size(); ++i) {
        visible = showEpisodeWindow(QString("Form%1").arg(3 + i));
        QVERIFY(visible);
        visible->player()->setUrl(m_server.url(files[i]));
    }
    QTest::qWait(500);
    QTimer::singleShot(0, visible, [visible] { visible->close(); });
    QTimer::singleShot(20000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QElapsedTimer teardown;
    teardown.start();
    m_app.reset();
    qInfo("players torn down in %lld ms", teardown.elapsed());
}

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
