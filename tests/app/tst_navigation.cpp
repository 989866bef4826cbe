// The window registry and every navigation command, driven by real clicks on
// real windows: each command hides exactly its own window and shows its
// target, the single instance held in the target's registry slot.

#include "app/application.h"
#include "common/gui_actions.h"
#include "common/window_names.h"
#include "resources/layouts/navigation.h"
#include "resources/layouts/text.h"
#include "windows/episode/episode_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

struct Expected
{
    QString source;
    QString control;
    QString target;
    bool isMenuItem;
};

// The commands as the windows are meant to carry them, written out here
// independently of the targets in the application's layouts.
QList<Expected> expectedCommands()
{
    QList<Expected> all{
        {"Form1", "وصايا", "Form64", true},
        {"Form1", "قق", "Form65", true},
        {"Form1", "ي", "Form66", true},
        {"Form1", "بببب", "Form2", true},
    };
    for (int n = 1; n <= 61; ++n) {
        if (n == 15)
            continue; // Option15 runs nothing
        const int target = n == 1 ? 3 : n == 60 ? 18 : n == 61 ? 4 : n + 3;
        all.append({"Form2", QString("Option%1").arg(n), QString("Form%1").arg(target), false});
    }
    all.append({"Form2", "منوعة", "Form63", true});
    all.append({"Form63", "Option1", "Form64", false});
    all.append({"Form63", "Option2", "Form65", false});
    all.append({"Form63", "Option3", "Form2", false});
    all.append({"Form63", "Option4", "Form66", false});

    // Menu items of every episode window: (to the programmes window, to the surah index).
    const QHash<int, QPair<QString, QString>> renamed{
        {5, {"قفي", "يبي"}},   {6, {"بي", "يبي"}},    {7, {"منوعة", "بي"}},
        {64, {"ننو", "فديو"}}, {65, {"ببب", "فديو"}}, {66, {"منو", "تف"}},
    };
    for (int w = 3; w <= 66; ++w) {
        if (w == 63)
            continue;
        const auto names = renamed.value(w, {"m", "v"});
        const QString window = QString("Form%1").arg(w);
        all.append({window, names.first, "Form63", true});
        all.append({window, names.second, "Form2", true});
    }
    return all;
}

bool click(QMainWindow *window, const QString &control, bool isMenuItem)
{
    if (isMenuItem)
        return testing::clickMenuItem(window, control);
    auto *button = window->findChild<QAbstractButton *>(control);
    if (!button)
        return false;
    if (button->isVisibleTo(window) && window->rect().contains(button->geometry().center()))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        button->click(); // out of sight: no pointer can reach it
    return true;
}

} // namespace

using testing::visibleWindows;

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startShowsHomeWindowOnly();
    void registryNames_data();
    void registryNames();
    void everyCommand_data();
    void everyCommand();
    void applicationTableIsTheExpectedOne();
    void option15SelectsAndRunsNothing();
    void tourReachesEveryWindowOnce();
    void optionSelectionSurvivesLeaving();
    void closingTheVisibleWindowEndsTheApplication();

private:
    std::unique_ptr<app::Application> m_app;
};

void TestNavigation::init()
{
    m_app = std::make_unique<app::Application>();
}

void TestNavigation::cleanup()
{
    m_app.reset();
}

void TestNavigation::startShowsHomeWindowOnly()
{
    m_app->start();
    QMainWindow *home = m_app->registry().existing(layout::form(1));
    QVERIFY(home);
    QVERIFY(QTest::qWaitForWindowExposed(home));
    QCOMPARE(visibleWindows(), QList<QMainWindow *>{home});
    QCOMPARE(home->objectName(), "Form1");
    for (int n = 2; n <= 66; ++n)
        QVERIFY2(!m_app->registry().existing(testing::idOf(QString("Form%1").arg(n))),
                 qPrintable(QString::number(n)));
}

void TestNavigation::registryNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isWindow");
    QTest::newRow("Form1") << "Form1" << true;
    QTest::newRow("Form66") << "Form66" << true;
    QTest::newRow("Form63") << "Form63" << true;
    QTest::newRow("Form0") << "Form0" << false;
    QTest::newRow("Form67") << "Form67" << false;
    QTest::newRow("Form05") << "Form05" << false;
    QTest::newRow("form5") << "form5" << false;
    QTest::newRow("empty") << "" << false;
}

void TestNavigation::registryNames()
{
    QFETCH(QString, name);
    QFETCH(bool, isWindow);
    app::WindowRegistry &registry = m_app->registry();
    QVERIFY(!registry.existing(testing::idOf(name)));
    QMainWindow *first = registry.window(testing::idOf(name));
    QCOMPARE(first != nullptr, isWindow);
    if (!isWindow)
        return;
    QCOMPARE(first->objectName(), name);
    QVERIFY(first->isWindow());
    QVERIFY(!first->isVisible());
    QCOMPARE(registry.window(testing::idOf(name)), first); // never a second instance
    QCOMPARE(registry.existing(testing::idOf(name)), first);
}

void TestNavigation::everyCommand_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("isMenuItem");
    for (const Expected &c : expectedCommands()) {
        QTest::addRow("%s %s", qPrintable(c.source), qPrintable(c.control))
            << c.source << c.control << c.target << c.isMenuItem;
    }
}

void TestNavigation::everyCommand()
{
    QFETCH(QString, source);
    QFETCH(QString, control);
    QFETCH(QString, target);
    QFETCH(bool, isMenuItem);
    app::WindowRegistry &registry = m_app->registry();
    QMainWindow *from = registry.window(testing::idOf(source));
    from->show();
    QVERIFY(QTest::qWaitForWindowExposed(from));

    QVERIFY2(click(from, control, isMenuItem), "control not found");

    QTRY_VERIFY(!from->isVisible());
    QMainWindow *to = registry.existing(testing::idOf(target));
    QVERIFY2(to, "target not created");
    QTRY_VERIFY(to->isVisible());
    QCOMPARE(to->objectName(), target);
    QCOMPARE(visibleWindows(), QList<QMainWindow *>{to});
    QCOMPARE(registry.window(testing::idOf(target)), to);
    if (auto *episode = qobject_cast<windows::EpisodeWindow *>(to))
        QVERIFY(episode->isLoaded());
}

void TestNavigation::applicationTableIsTheExpectedOne()
{
    QSet<QString> expected;
    for (const Expected &c : expectedCommands())
        expected.insert(c.source + '/' + c.control + '/' + c.target);
    const std::vector<layout::NavigationCommand> commands = layout::navigationCommands();
    QSet<QString> actual;
    for (const layout::NavigationCommand &c : commands) {
        actual.insert(layout::nameOf(c.source) + '/' + layout::toQString(c.control) + '/' +
                      layout::nameOf(c.target));
    }
    QCOMPARE(actual.size(), int(commands.size())); // no command twice
    QCOMPARE(actual - expected, QSet<QString>{});
    QCOMPARE(expected - actual, QSet<QString>{});
}

void TestNavigation::option15SelectsAndRunsNothing()
{
    QMainWindow *index = m_app->registry().window(layout::form(2));
    index->show();
    QVERIFY(QTest::qWaitForWindowExposed(index));
    auto *option15 = index->findChild<QRadioButton *>("Option15");
    QVERIFY(option15);
    QCOMPARE(option15->text(), QString("الحجـر"));
    QVERIFY(!index->rect().contains(option15->geometry().topLeft())); // out of sight
    option15->click();
    QVERIFY(option15->isChecked());
    // Navigation happens within the click; anything it posted is delivered here.
    QCoreApplication::processEvents();
    QCOMPARE(visibleWindows(), QList<QMainWindow *>{index});
    for (int n = 3; n <= 66; ++n) {
        if (n != 63)
            QVERIFY(!m_app->registry().existing(testing::idOf(QString("Form%1").arg(n))));
    }
}

void TestNavigation::tourReachesEveryWindowOnce()
{
    // One run of the application: from Form1 to the surah index, every surah
    // window and back, then the programmes window and every programme.
    m_app->start();
    app::WindowRegistry &registry = m_app->registry();
    QMainWindow *home = registry.existing(layout::form(1));
    QVERIFY(QTest::qWaitForWindowExposed(home));
    QVERIFY(testing::clickMenuItem(home, "بببب"));
    QMainWindow *index = registry.existing(layout::form(2));
    QTRY_VERIFY(index && index->isVisible());

    QSet<QString> reached{"Form2"};
    const QList<Expected> commands = expectedCommands();
    for (const Expected &c : commands) {
        if (c.source != "Form2" || c.isMenuItem)
            continue;
        QVERIFY(click(index, c.control, false));
        QMainWindow *episode = registry.existing(testing::idOf(c.target));
        QTRY_VERIFY(episode && episode->isVisible());
        QCOMPARE(visibleWindows().size(), 1);
        reached.insert(c.target);
        // Back through the episode window's surah-index item.
        const auto back = std::find_if(commands.begin(), commands.end(), [&](const Expected &e) {
            return e.source == c.target && e.target == "Form2";
        });
        QVERIFY(click(episode, back->control, true));
        QTRY_VERIFY(index->isVisible());
        QVERIFY(!home->isVisible());
    }
    QVERIFY(testing::clickMenuItem(index, "منوعة"));
    QMainWindow *programmes = registry.existing(layout::form(63));
    QTRY_VERIFY(programmes && programmes->isVisible());
    reached.insert("Form63");
    for (const QString option : {"Option1", "Option2", "Option4"}) {
        QVERIFY(click(programmes, option, false));
        const auto it = std::find_if(commands.begin(), commands.end(), [&](const Expected &e) {
            return e.source == "Form63" && e.control == option;
        });
        QMainWindow *episode = registry.existing(testing::idOf(it->target));
        QTRY_VERIFY(episode && episode->isVisible());
        reached.insert(it->target);
        const auto back = std::find_if(commands.begin(), commands.end(), [&](const Expected &e) {
            return e.source == it->target && e.target == "Form63";
        });
        QVERIFY(click(episode, back->control, true));
        QTRY_VERIFY(programmes->isVisible());
        QCOMPARE(visibleWindows().size(), 1);
    }
    QCOMPARE(reached.size(), 65);
    QVERIFY(!home->isVisible());
}

void TestNavigation::optionSelectionSurvivesLeaving()
{
    app::WindowRegistry &registry = m_app->registry();
    QMainWindow *index = registry.window(layout::form(2));
    index->show();
    QVERIFY(QTest::qWaitForWindowExposed(index));
    QVERIFY(click(index, "Option9", false));
    QMainWindow *episode = registry.existing(layout::form(12));
    QTRY_VERIFY(episode && episode->isVisible());
    QVERIFY(testing::clickMenuItem(episode, "m"));
    QMainWindow *programmes = registry.existing(layout::form(63));
    QTRY_VERIFY(programmes && programmes->isVisible());
    QVERIFY(click(programmes, "Option3", false));
    QTRY_VERIFY(index->isVisible());
    QVERIFY(index->findChild<QRadioButton *>("Option9")->isChecked());
    QVERIFY(testing::clickMenuItem(index, "منوعة"));
    QTRY_VERIFY(programmes->isVisible());
    QVERIFY(programmes->findChild<QRadioButton *>("Option3")->isChecked());
}

void TestNavigation::closingTheVisibleWindowEndsTheApplication()
{
    app::prepareQtApplication();
    app::WindowRegistry &registry = m_app->registry();
    QMainWindow *index = registry.window(layout::form(2));
    index->show();
    QVERIFY(QTest::qWaitForWindowExposed(index));
    QVERIFY(click(index, "Option1", false));
    QMainWindow *episode = registry.existing(layout::form(3));
    QTRY_VERIFY(episode && episode->isVisible());

    // Form2 is hidden, not closed: closing Form3 through its frame leaves no
    // visible window, and the event loop ends.
    QTimer::singleShot(0, episode, [episode] { episode->close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
