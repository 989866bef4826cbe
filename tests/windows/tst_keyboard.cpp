// The windows from the keyboard and through a screen reader's eyes: the
// focus each window opens with, arrows among option buttons, Space and
// Enter, Alt and F10 on the menu bar, Tab through the link marks and the
// player's controls, and the accessibility tree of each kind of window.
// Keys go through the window system's path (QWindow), as real keys do.

#include "app/application.h"
#include "common/window_names.h"
#include "media_server.h"
#include "player/engine.h"
#include "player/player_actions.h"
#include "player/player_widget.h"
#include "url_recorder.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"
#include "windows/picture_control.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using testing::UrlRecorder;

namespace {

void press(QWidget *window, int key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
}

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

QString translated(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstFocus_data();
    void firstFocus();
    void arrowsMoveAmongOptionsWithoutChoosing_data();
    void arrowsMoveAmongOptionsWithoutChoosing();
    void spaceOrEnterChooses_data();
    void spaceOrEnterChooses();
    void f10OpensTheFirstMenu();
    void f10ThenRightReachesTheSurahIndex();
    void f10AndAltReachAPlainMenuBar_data();
    void f10AndAltReachAPlainMenuBar();
    void escapeLeavesTheMenuBar();
    void linkMarksFromTheKeyboard();
    void tabGoesFromTheListThroughThePlayer();
    void playerKeysWorkFromItsControls();
    void accessibilityTree_data();
    void accessibilityTree();
    void controlNamesFollowTheirState();
    void defaultActionDoesWhatAClickDoes_data();
    void defaultActionDoesWhatAClickDoes();
    void ctrlQQuitsFromEveryWindow_data();
    void ctrlQQuitsFromEveryWindow();

private:
    QMainWindow *open(const QString &name);
    // Whether the window of that name exists and is shown.
    bool isShown(QStringView name) const;

    std::unique_ptr<app::Application> m_app;
    UrlRecorder m_recorder;
    MediaServer m_server;
};

void TestKeyboard::initTestCase()
{
    app::prepareQtApplication();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    QDesktopServices::setUrlHandler("http", &m_recorder, "open");
    QDesktopServices::setUrlHandler("https", &m_recorder, "open");
}

void TestKeyboard::init()
{
    m_app = std::make_unique<app::Application>();
    m_recorder.opened.clear();
}

void TestKeyboard::cleanup()
{
    m_app.reset();
}

QMainWindow *TestKeyboard::open(const QString &name)
{
    QMainWindow *window = m_app->registry().window(testing::idOf(name));
    if (!window)
        return nullptr;
    window->show();
    if (!QTest::qWaitForWindowActive(window))
        return nullptr;
    return window;
}

bool TestKeyboard::isShown(QStringView name) const
{
    const QMainWindow *window = m_app->registry().existing(testing::idOf(name));
    return window && window->isVisible();
}

void TestKeyboard::firstFocus_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focus");
    // Each window's control with tab index 0.
    QTest::newRow("home: the first link mark") << "Form1"
                                               << "Image3";
    QTest::newRow("surah index: Option15") << "Form2"
                                           << "Option15";
    QTest::newRow("programmes") << "Form63"
                                << "Option1";
    QTest::newRow("episode, player first") << "Form5"
                                           << "WindowsMediaPlayer1";
    QTest::newRow("episode, list first") << "Form12"
                                         << "Combo1";
}

void TestKeyboard::firstFocus()
{
    QFETCH(QString, window);
    QFETCH(QString, focus);
    QVERIFY(open(window));
    QTRY_COMPARE(focusName(), focus);
}

void TestKeyboard::arrowsMoveAmongOptionsWithoutChoosing_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::newRow("down the column") << "Form2"
                                     << "Option1" << int(Qt::Key_Down) << "Option2";
    QTest::newRow("up the column") << "Form2"
                                   << "Option3" << int(Qt::Key_Up) << "Option2";
    QTest::newRow("to the next column") << "Form2"
                                        << "Option1" << int(Qt::Key_Right) << "Option16";
    QTest::newRow("back a column") << "Form2"
                                   << "Option31" << int(Qt::Key_Left) << "Option16";
    QTest::newRow("to the last row") << "Form2"
                                     << "Option29" << int(Qt::Key_Down) << "Option30";
    QTest::newRow("at the top edge") << "Form2"
                                     << "Option1" << int(Qt::Key_Up) << "Option1";
    QTest::newRow("out of sight: into the list") << "Form2"
                                                 << "Option15" << int(Qt::Key_Up) << "Option61";
    QTest::newRow("programmes, down") << "Form63"
                                      << "Option2" << int(Qt::Key_Down) << "Option4";
    QTest::newRow("programmes, up") << "Form63"
                                    << "Option3" << int(Qt::Key_Up) << "Option4";
}

void TestKeyboard::arrowsMoveAmongOptionsWithoutChoosing()
{
    QFETCH(QString, window);
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    QMainWindow *w = open(window);
    QVERIFY(w);
    auto *start = w->findChild<QRadioButton *>(from);
    QVERIFY(start);
    // As on a return to the window: the button chosen last is selected.
    start->setChecked(true);
    start->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(focusName(), from);
    press(w, key);
    QTRY_COMPARE(focusName(), to);
    // Nothing was chosen: the selection stays and so does the window. A
    // choice would have navigated within the key press; anything it posted
    // is delivered here.
    QCoreApplication::processEvents();
    QVERIFY(w->isVisible());
    QVERIFY(start->isChecked());
    QCOMPARE(QApplication::activeWindow(), w);
}

void TestKeyboard::spaceOrEnterChooses_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("target");
    QTest::newRow("Space") << "Form2"
                           << "Option16" << int(Qt::Key_Space) << "Form19";
    QTest::newRow("Enter") << "Form2"
                           << "Option60" << int(Qt::Key_Return) << "Form18";
    QTest::newRow("keypad Enter") << "Form63"
                                  << "Option3" << int(Qt::Key_Enter) << "Form2";
}

void TestKeyboard::spaceOrEnterChooses()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(QString, target);
    QMainWindow *w = open(window);
    QVERIFY(w);
    auto *option = w->findChild<QRadioButton *>(button);
    QVERIFY(option);
    option->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(focusName(), button);
    press(w, key);
    QTRY_VERIFY(isShown(target));
    QVERIFY(!w->isVisible());
    QVERIFY(option->isChecked());
}

void TestKeyboard::f10OpensTheFirstMenu()
{
    QMainWindow *home = open(QStringLiteral("Form1"));
    QVERIFY(home);
    press(home, Qt::Key_F10);
    auto *menu = home->findChild<QMenu *>(QStringLiteral("منوع"));
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    // Arrows and Enter inside: the first item leads to Form64.
    QTest::keyClick(menu, Qt::Key_Down);
    QTRY_COMPARE(menu->activeAction()->objectName(), QStringLiteral("وصايا"));
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(isShown(u"Form64"));
}

void TestKeyboard::f10ThenRightReachesTheSurahIndex()
{
    // From the open first menu, Right goes on to the next entry of the bar,
    // which opens no drop-down, and Enter runs it.
    QMainWindow *home = open(QStringLiteral("Form1"));
    QVERIFY(home);
    press(home, Qt::Key_F10);
    auto *menu = home->findChild<QMenu *>(QStringLiteral("منوع"));
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Right);
    QTRY_VERIFY(!menu->isVisible());
    QTRY_COMPARE(home->menuBar()->activeAction(), home->menuBar()->actions().at(1));
    press(home, Qt::Key_Return);
    QTRY_VERIFY(isShown(u"Form2"));
}

void TestKeyboard::f10AndAltReachAPlainMenuBar_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("moves");
    QTest::addColumn<QString>("target");
    // Episode windows' menu bars hold two items and no drop-down: the way
    // back to the programmes window and to the surah index.
    QTest::newRow("F10 in an episode window") << "Form5" << int(Qt::Key_F10) << 0 << "Form63";
    QTest::newRow("Alt, Right in an episode window")
        << "Form12" << int(Qt::Key_Alt) << 1 << "Form2";
    QTest::newRow("Alt in the surah index") << "Form2" << int(Qt::Key_Alt) << 0 << "Form63";
}

void TestKeyboard::f10AndAltReachAPlainMenuBar()
{
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(int, moves);
    QFETCH(QString, target);
    QMainWindow *w = open(window);
    QVERIFY(w);
    press(w, key);
    QMenuBar *bar = w->menuBar();
    QTRY_COMPARE(bar->activeAction(), bar->actions().first());
    QVERIFY(bar->hasFocus());
    for (int i = 0; i < moves; ++i)
        press(w, Qt::Key_Right);
    QTRY_COMPARE(bar->activeAction(), bar->actions().at(moves));
    press(w, Qt::Key_Return);
    QTRY_VERIFY(isShown(target));
}

void TestKeyboard::escapeLeavesTheMenuBar()
{
    QMainWindow *w = open(QStringLiteral("Form5"));
    QVERIFY(w);
    QTRY_COMPARE(focusName(), QStringLiteral("WindowsMediaPlayer1"));
    press(w, Qt::Key_F10);
    QTRY_VERIFY(w->menuBar()->hasFocus());
    press(w, Qt::Key_Escape);
    QTRY_COMPARE(focusName(), QStringLiteral("WindowsMediaPlayer1"));
    QCOMPARE(w->menuBar()->activeAction(), nullptr);
    QVERIFY(w->isVisible());
}

void TestKeyboard::linkMarksFromTheKeyboard()
{
    QMainWindow *home = open(QStringLiteral("Form1"));
    QVERIFY(home);
    QTRY_COMPARE(focusName(), QStringLiteral("Image3"));
    // The window opens with the focus on the first mark, but a mouse user
    // sees no frame there: the picture is drawn as it is.
    auto *first = home->findChild<windows::PictureControl *>(QStringLiteral("Image3"));
    QCOMPARE(first->grab().toImage().convertToFormat(QImage::Format_RGB32),
             first->pixmap().toImage().convertToFormat(QImage::Format_RGB32));
    // Left to right along the row, and round again.
    QStringList visited{focusName()};
    for (int i = 0; i < 4; ++i) {
        press(home, Qt::Key_Tab);
        QCoreApplication::processEvents();
        visited << focusName();
    }
    QCOMPARE(visited, QStringList({"Image3", "Image6", "Image1", "Image4", "Image3"}));
    // Enter and Space open the focused mark's link, as a click does.
    press(home, Qt::Key_Return);
    QTRY_COMPARE(m_recorder.opened.size(), 1);
    QVERIFY(m_recorder.opened.last().host().contains(QStringLiteral("facebook")));
    press(home, Qt::Key_Tab);
    QTRY_COMPARE(focusName(), QStringLiteral("Image6"));
    press(home, Qt::Key_Space);
    QTRY_COMPARE(m_recorder.opened.size(), 2);
    QVERIFY(home->isVisible());
    // A focus frame is drawn round the focused mark: its edge differs from
    // the picture's own.
    QWidget *mark = home->findChild<QWidget *>(QStringLiteral("Image6"));
    const QImage focused = mark->grab().toImage();
    press(home, Qt::Key_Tab);
    QTRY_VERIFY(!mark->hasFocus());
    const QImage unfocused = mark->grab().toImage();
    QVERIFY(focused != unfocused);
}

void TestKeyboard::tabGoesFromTheListThroughThePlayer()
{
    auto *w = qobject_cast<windows::EpisodeWindow *>(open(QStringLiteral("Form12")));
    QVERIFY(w);
    QTRY_COMPARE(focusName(), QStringLiteral("Combo1"));
    // The player, its seek bar, then the row beneath from left to right and
    // back to the list; controls that can do nothing now are passed over.
    const QStringList order{
        "seekSlider",     "playPauseButton",   "stopButton",        "previousEpisodeButton",
        "seekBackButton", "seekForwardButton", "nextEpisodeButton", "muteButton",
        "volumeSlider",   "fullScreenButton"};
    const auto expectedRound = [w, &order] {
        QStringList expected{"WindowsMediaPlayer1"};
        for (const QString &name : order) {
            if (w->player()->findChild<QWidget *>(name)->isEnabled())
                expected << name;
        }
        return expected << "Combo1";
    };
    const auto tabRound = [w](qsizetype presses) {
        QStringList visited;
        for (qsizetype i = 0; i < presses; ++i) {
            press(w, Qt::Key_Tab);
            QCoreApplication::processEvents();
            visited << focusName();
        }
        return visited;
    };
    QStringList expected = expectedRound();
    QVERIFY(!expected.contains("seekSlider")); // nothing plays yet
    QCOMPARE(tabRound(expected.size()), expected);

    w->player()->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(w->player()->engine()->position() > 0.5, 20000);
    w->player()->engine()->pause();
    QTRY_COMPARE(w->player()->engine()->status(), player::Status::Paused);
    QTRY_COMPARE(focusName(), QStringLiteral("Combo1"));
    expected = expectedRound();
    QVERIFY(expected.contains("seekSlider"));
    QVERIFY(expected.contains("seekBackButton"));
    QCOMPARE(tabRound(expected.size()), expected);
    // Shift+Tab goes back the same way, and the focused button shows it.
    QWidget *fullScreen = w->player()->findChild<QWidget *>(QStringLiteral("fullScreenButton"));
    const QImage unfocused = fullScreen->grab().toImage();
    press(w, Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_COMPARE(focusName(), QStringLiteral("fullScreenButton"));
    QVERIFY(fullScreen->grab().toImage() != unfocused);
}

void TestKeyboard::playerKeysWorkFromItsControls()
{
    auto *w = qobject_cast<windows::EpisodeWindow *>(open(QStringLiteral("Form5")));
    QVERIFY(w);
    player::PlayerActions &actions = w->player()->actions();
    auto *fullScreen = w->player()->findChild<QWidget *>(QStringLiteral("fullScreenButton"));
    QVERIFY(fullScreen);
    fullScreen->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(fullScreen->hasFocus());
    // m with a control-bar button focused mutes the player.
    QVERIFY(!actions.mute->isChecked());
    press(w, Qt::Key_M);
    QTRY_VERIFY(actions.mute->isChecked());
    // 9 with the volume slider focused lowers the volume by the key's step.
    auto *volume = w->player()->findChild<QAbstractSlider *>(QStringLiteral("volumeSlider"));
    volume->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(volume->hasFocus());
    const int before = volume->value();
    press(w, Qt::Key_9);
    QTRY_COMPARE(volume->value(), before - 2);
}

void TestKeyboard::accessibilityTree_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("pressable");

    const QString link = translated("player::ControlBar", "Position");
    QTest::newRow("Facebook mark") << "Form1"
                                   << "Image3" << int(QAccessible::Link) << "Face Book" << true;
    QTest::newRow("YouTube mark") << "Form1"
                                  << "Image4" << int(QAccessible::Link) << "You Tube" << true;
    QTest::newRow("camera mark, named by its site")
        << "Form1"
        << "Image1" << int(QAccessible::Link) << "Instagram" << true;
    QTest::newRow("home background") << "Form1"
                                     << "Image2" << int(QAccessible::Graphic) << "" << false;
    QTest::newRow("programmes background") << "Form63"
                                           << "Image1" << int(QAccessible::Graphic) << "" << false;
    QTest::newRow("episode picture") << "Form5"
                                     << "Image1" << int(QAccessible::Graphic) << "" << false;
    QTest::newRow("option button")
        << "Form2"
        << "Option60" << int(QAccessible::RadioButton) << "الممتحنـة" << true;
    QTest::newRow("player") << "Form5"
                            << "WindowsMediaPlayer1" << int(QAccessible::Client)
                            << translated("player::PlayerWidget", "Video player") << false;
    QTest::newRow("seek bar") << "Form5"
                              << "seekSlider" << int(QAccessible::Slider) << link << false;
    QTest::newRow("volume") << "Form5"
                            << "volumeSlider" << int(QAccessible::Slider)
                            << translated("player::ControlBar", "Volume") << false;
    QTest::newRow("play") << "Form5"
                          << "playPauseButton" << int(QAccessible::Button)
                          << translated("player::PlayerActions", "Play") << true;
    QTest::newRow("stop") << "Form5"
                          << "stopButton" << int(QAccessible::Button)
                          << translated("player::PlayerActions", "Stop") << true;
    // Buttons that stay down are check boxes to a screen reader, with their state.
    QTest::newRow("mute") << "Form5"
                          << "muteButton" << int(QAccessible::CheckBox)
                          << translated("player::PlayerActions", "Mute") << true;
    QTest::newRow("full screen") << "Form5"
                                 << "fullScreenButton" << int(QAccessible::CheckBox)
                                 << translated("player::PlayerActions", "Full screen") << true;
}

void TestKeyboard::accessibilityTree()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(bool, pressable);
    QMainWindow *w = open(window);
    QVERIFY(w);
    QWidget *widget = w->findChild<QWidget *>(control);
    QVERIFY(widget);
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(node);
    QCOMPARE(int(node->role()), role);
    QCOMPARE(node->text(QAccessible::Name), name);
    QAccessibleActionInterface *actions = node->actionInterface();
    const bool canPress =
        actions && (actions->actionNames().contains(QAccessibleActionInterface::pressAction()) ||
                    actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    QCOMPARE(canPress, pressable);
    // The node is reachable from the window's own: a screen reader walking
    // the tree finds it.
    QAccessibleInterface *parent = node->parent();
    while (parent && parent->object() != w)
        parent = parent->parent();
    QVERIFY(parent);
}

void TestKeyboard::controlNamesFollowTheirState()
{
    auto *w = qobject_cast<windows::EpisodeWindow *>(open(QStringLiteral("Form5")));
    QVERIFY(w);
    const auto nameOf = [w](const char *control) {
        QWidget *widget = w->player()->findChild<QWidget *>(QLatin1String(control));
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    w->player()->setFocus(Qt::TabFocusReason);
    press(w, Qt::Key_M);
    QTRY_COMPARE(nameOf("muteButton"), translated("player::PlayerActions", "Unmute"));
    press(w, Qt::Key_M);
    QTRY_COMPARE(nameOf("muteButton"), translated("player::PlayerActions", "Mute"));
    // Values as a person reads them: the volume in percent.
    QWidget *volume = w->player()->findChild<QWidget *>(QStringLiteral("volumeSlider"));
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(volume);
    QCOMPARE(node->text(QAccessible::Value), translated("player::ControlBar", "%1 %").arg(50));
    QVERIFY(node->valueInterface());
    QCOMPARE(node->valueInterface()->currentValue().toInt(), 50);
    // The seek bar counts in seconds and says the time.
    QWidget *seek = w->player()->findChild<QWidget *>(QStringLiteral("seekSlider"));
    QAccessibleInterface *seekNode = QAccessible::queryAccessibleInterface(seek);
    QVERIFY(seekNode->valueInterface());
    QCOMPARE(seekNode->text(QAccessible::Value), QStringLiteral("0:00 / 0:00"));
}

void TestKeyboard::defaultActionDoesWhatAClickDoes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("target");
    QTest::newRow("surah") << "Form2"
                           << "Option30"
                           << "Form33";
    QTest::newRow("programme") << "Form63"
                               << "Option3"
                               << "Form2";
    QTest::newRow("link mark") << "Form1"
                               << "Image3"
                               << "facebook";
}

void TestKeyboard::defaultActionDoesWhatAClickDoes()
{
    // A screen reader activates a control through its first action.
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, target);
    QMainWindow *w = open(window);
    QVERIFY(w);
    QWidget *widget = w->findChild<QWidget *>(control);
    QVERIFY(widget);
    QAccessibleActionInterface *actions =
        QAccessible::queryAccessibleInterface(widget)->actionInterface();
    QVERIFY(actions && !actions->actionNames().isEmpty());
    actions->doAction(actions->actionNames().first());
    if (target.startsWith(QStringLiteral("Form"))) {
        QTRY_VERIFY(isShown(target));
        QVERIFY(!w->isVisible());
    } else {
        QTRY_COMPARE(m_recorder.opened.size(), 1);
        QVERIFY(m_recorder.opened.last().host().contains(target));
    }
}

void TestKeyboard::ctrlQQuitsFromEveryWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focus"); // empty: where the window puts it
    QTest::newRow("home") << "Form1" << QString();
    QTest::newRow("surah index") << "Form2" << QString();
    QTest::newRow("programmes") << "Form63" << QString();
    QTest::newRow("episode window, in the list's text") << "Form5"
                                                        << "Combo1";
    QTest::newRow("episode window, on the player") << "Form5"
                                                   << "WindowsMediaPlayer1";
    QTest::newRow("programme episodes") << "Form64" << QString();
}

// Ctrl+Q asks the application to quit from every window and wherever the
// focus is, the list's text field included (the end of the process itself
// is checked on the real program in tst_startup).
void TestKeyboard::ctrlQQuitsFromEveryWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, focus);
    QMainWindow *w = open(window);
    QVERIFY(w);
    if (!focus.isEmpty()) {
        auto *target = w->findChild<QWidget *>(focus);
        QVERIFY(target);
        target->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(target->hasFocus() || target->isAncestorOf(QApplication::focusWidget()));
    }
    auto *quit = w->findChild<QAction *>(QStringLiteral("quitAction"));
    QVERIFY(quit);
    QSignalSpy asked(quit, &QAction::triggered);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(asked.count(), 1);
    // Nothing else took the keys: the list's text is as it was.
    if (auto *list = w->findChild<QComboBox *>(QStringLiteral("Combo1")))
        QVERIFY(!list->currentText().contains(QLatin1Char('q')));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
