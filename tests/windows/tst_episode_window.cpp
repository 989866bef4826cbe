// The episode window: its list is filled once inside the first show, shows
// its stored text with nothing selected, and every user choice of an entry
// with a location hands exactly that location to the player.

#include "catalogue/catalogue.h"
#include "common/gui_actions.h"
#include "common/window_names.h"
#include "player/engine.h"
#include "player/player_actions.h"
#include "player/player_widget.h"
#include "resources/layouts/episode_layouts.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>

using windows::EpisodeList;
using windows::EpisodeWindow;

namespace {

const layout::EpisodeLayout &layoutOf(const QString &name)
{
    for (const auto &l : layout::kEpisodeLayouts) {
        if (QString::fromUtf8(l.name.data(), qsizetype(l.name.size())) == name)
            return l;
    }
    qFatal("no layout for %s", qPrintable(name));
}

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::unique_ptr<EpisodeWindow> shownWindow(const QString &name)
{
    auto window = std::make_unique<EpisodeWindow>(layoutOf(name));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

QString blanks(int n)
{
    return QString(n, ' ');
}

} // namespace

class TestEpisodeWindow : public QObject
{
    Q_OBJECT

private slots:
    void loadRunsInsideFirstShow_data();
    void loadRunsInsideFirstShow();
    void controlsCarryStoredNames();
    void stateSurvivesHideAndShow();
    void choosingSetsTheLocation_data();
    void choosingSetsTheLocation();
    void choosingWithMouse();
    void choosingAgainSetsAgain();
    void keyboardOnClosedList();
    void editingGivesNoSelectionAndPlaysNothing();
    void enterAfterTypingAddsNothing();
    void labelWithoutLocationLeavesPlayer_data();
    void labelWithoutLocationLeavesPlayer();
    void firstAndLastEntryOfEveryWindow_data();
    void firstAndLastEntryOfEveryWindow();
    void neighbouringEpisodes();
};

void TestEpisodeWindow::loadRunsInsideFirstShow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("storedText");
    QTest::addColumn<int>("entries");
    QTest::newRow("Form3") << "Form3" << blanks(15) + "ســــورة  الفاتحـــة" << 24;
    QTest::newRow("Form5") << "Form5" << blanks(17) + "ســــورة  البقـــرة" << 459;
    QTest::newRow("Form15") << "Form15" << blanks(17) + "ســــورة  يوســف" + blanks(7) << 15;
    QTest::newRow("Form18") << "Form18" << blanks(3) + "ســـورة الممتحنــة" << 2;
    QTest::newRow("Form65") << "Form65" << blanks(11) + "برنامج الاحاديث القدسية" + blanks(7) << 4;
}

void TestEpisodeWindow::loadRunsInsideFirstShow()
{
    QFETCH(QString, window);
    QFETCH(QString, storedText);
    QFETCH(int, entries);
    EpisodeWindow w(layoutOf(window));
    QCOMPARE(w.list()->count(), 0); // nothing before the first show
    QVERIFY(!w.isLoaded());

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.isLoaded());
    EpisodeList *list = w.list();
    QCOMPARE(list->count(), entries);
    const auto labels = catalogue::labels(testing::idOf(window));
    for (int i = 0; i < entries; ++i)
        QCOMPARE(list->itemText(i), text(labels[std::size_t(i)]));
    QCOMPARE(list->listIndex(), qint16(-1));
    // The stored text, kept left to right by a leading left-to-right mark.
    QCOMPARE(list->currentText(), QChar(u'\u200E') + storedText);
    QCOMPARE(list->lineEdit()->text(), QChar(u'\u200E') + storedText);
    QVERIFY(w.player()->url().isEmpty());
    QVERIFY(!w.player()->engine()->hasStarted()); // nothing set on the player
}

void TestEpisodeWindow::controlsCarryStoredNames()
{
    auto w = shownWindow("Form12");
    QVERIFY(w);
    QCOMPARE(w->objectName(), "Form12");
    QCOMPARE(w->list()->objectName(), "Combo1");
    QCOMPARE(w->player()->objectName(), "WindowsMediaPlayer1");
    QVERIFY(w->list()->isEditable());
    // The list lies on the player.
    const QWidget *client = w->list()->parentWidget();
    const QWidget *top = client->childAt(w->list()->geometry().center());
    QVERIFY(top == w->list() || w->list()->isAncestorOf(top));
}

void TestEpisodeWindow::stateSurvivesHideAndShow()
{
    auto w = shownWindow("Form12");
    QVERIFY(w);
    QVERIFY(testing::chooseWithKeyboard(w->list(), 3));
    const QString url = w->player()->url();
    QCOMPARE(url, text(*catalogue::location(layout::form(12), 3)));
    w->hide();
    QVERIFY(!w->isVisible());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->list()->count(), 58); // not filled again
    QCOMPARE(w->list()->listIndex(), qint16(3));
    QCOMPARE(w->player()->url(), url);
}

void TestEpisodeWindow::choosingSetsTheLocation_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("location");
    // Blanks around a location reach the player unchanged.
    QTest::newRow("Form5 23, three leading blanks")
        << "Form5" << 22 << "   https://archive.example.org/download/tafsir-baqarah/840___.flv";
    QTest::newRow("Form31 1, one leading blank")
        << "Form31" << 0 << " https://archive.example.org/download/tafsir-qasas/28_qasas_1.ogv";
    QTest::newRow("Form66 2, two trailing blanks")
        << "Form66" << 1 << "http://media.publisher.example.net/videos/a-to-z/az2_v.wmv  ";
    QTest::newRow("Form21 13, catalogue order")
        << "Form21" << 12 << "https://archive.example.org/download/tafsir-kahf/18_Alkahf_1.ogv";
}

void TestEpisodeWindow::choosingSetsTheLocation()
{
    QFETCH(QString, window);
    QFETCH(int, index);
    QFETCH(QString, location);
    auto w = shownWindow(window);
    QVERIFY(w);
    QVERIFY(testing::chooseWithKeyboard(w->list(), index));
    QCOMPARE(w->list()->listIndex(), qint16(index));
    QCOMPARE(w->player()->url(), location);
}

void TestEpisodeWindow::choosingWithMouse()
{
    auto w = shownWindow("Form20");
    QVERIFY(w);
    QVERIFY(testing::chooseWithMouse(w->list(), 16));
    QCOMPARE(w->list()->listIndex(), qint16(16));
    QCOMPARE(w->player()->url(),
             "http://ia601.mirror.archive.example.org/7/items/tafsir-isra-audio/"
             "017_Alisraa_056_060.mp3");
}

void TestEpisodeWindow::choosingAgainSetsAgain()
{
    auto w = shownWindow("Form18");
    QVERIFY(w);
    QSignalSpy urlSet(w->player(), &player::PlayerWidget::urlChanged);
    QVERIFY(testing::chooseWithKeyboard(w->list(), 1));
    QVERIFY(testing::chooseWithKeyboard(w->list(), 1));
    QCOMPARE(urlSet.count(), 2);
    QCOMPARE(urlSet.at(1).at(0).toString(), text(*catalogue::location(layout::form(18), 1)));
}

void TestEpisodeWindow::keyboardOnClosedList()
{
    auto w = shownWindow("Form4");
    QVERIFY(w);
    QTest::keyClick(w->list(), Qt::Key_Down);
    QCOMPARE(w->list()->listIndex(), qint16(0));
    QCOMPARE(w->player()->url(), text(*catalogue::location(layout::form(4), 0)));
    QTest::keyClick(w->list(), Qt::Key_Down);
    QCOMPARE(w->player()->url(), text(*catalogue::location(layout::form(4), 1)));
}

void TestEpisodeWindow::editingGivesNoSelectionAndPlaysNothing()
{
    auto w = shownWindow("Form7");
    QVERIFY(w);
    QVERIFY(testing::chooseWithKeyboard(w->list(), 5));
    const QString playing = w->player()->url();
    QSignalSpy urlSet(w->player(), &player::PlayerWidget::urlChanged);

    w->list()->lineEdit()->setFocus();
    QTest::keyClick(w->list()->lineEdit(), Qt::Key_End);
    QTest::keyClicks(w->list()->lineEdit(), "x");
    QCOMPARE(w->list()->listIndex(), qint16(-1));
    QVERIFY(w->list()->currentText().endsWith("x")); // the user's text stays
    QTest::keyClick(w->list()->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(w->list()->listIndex(), qint16(-1));
    QCOMPARE(urlSet.count(), 0);
    QCOMPARE(w->player()->url(), playing);
}

void TestEpisodeWindow::enterAfterTypingAddsNothing()
{
    auto w = shownWindow("Form8");
    QVERIFY(w);
    QLineEdit *field = w->list()->lineEdit();
    field->setFocus();
    field->selectAll();
    // The exact text of entry 2 does not select entry 2 either.
    const QString label = w->list()->itemText(1);
    QTest::keyClicks(field, label);
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClicks(field, "99");
    QTest::keyClick(w->list(), Qt::Key_Enter);
    QCOMPARE(w->list()->count(), 81);
    QCOMPARE(w->list()->listIndex(), qint16(-1));
    QVERIFY(w->player()->url().isEmpty());
    for (int i = 0; i < 81; ++i)
        QCOMPARE(w->list()->itemText(i), text(catalogue::labels(layout::form(8))[std::size_t(i)]));
}

void TestEpisodeWindow::labelWithoutLocationLeavesPlayer_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("lastLocated");
    QTest::newRow("Form39") << "Form39" << 12;
    QTest::newRow("Form42") << "Form42" << 18;
}

void TestEpisodeWindow::labelWithoutLocationLeavesPlayer()
{
    QFETCH(QString, window);
    QFETCH(int, lastLocated);
    auto w = shownWindow(window);
    QVERIFY(w);
    QVERIFY(testing::chooseWithKeyboard(w->list(), lastLocated));
    const QString playing = w->player()->url();
    QCOMPARE(playing, text(*catalogue::location(testing::idOf(window), qint16(lastLocated))));
    QSignalSpy urlSet(w->player(), &player::PlayerWidget::urlChanged);
    QVERIFY(testing::chooseWithKeyboard(w->list(), lastLocated + 1));
    QCOMPARE(w->list()->listIndex(), qint16(lastLocated + 1));
    QCOMPARE(urlSet.count(), 0);
    QCOMPARE(w->player()->url(), playing);
}

void TestEpisodeWindow::firstAndLastEntryOfEveryWindow_data()
{
    QTest::addColumn<QString>("window");
    for (const catalogue::ListedWindow &w : catalogue::episodeWindows())
        QTest::newRow(w.name.data()) << text(w.name);
}

void TestEpisodeWindow::firstAndLastEntryOfEveryWindow()
{
    QFETCH(QString, window);
    auto w = shownWindow(window);
    QVERIFY(w);
    const auto locations = catalogue::locations(testing::idOf(window));
    const int last = int(locations.size()) - 1;
    QVERIFY(testing::chooseWithKeyboard(w->list(), 0));
    QCOMPARE(w->player()->url(), text(locations.front()));
    QVERIFY(testing::chooseWithKeyboard(w->list(), last));
    QCOMPARE(w->list()->listIndex(), qint16(last));
    QCOMPARE(w->player()->url(), text(locations.back()));
}

// The previous and next episode, from the control bar and the keys, as if
// chosen in the list; the entry without a location is skipped.
void TestEpisodeWindow::neighbouringEpisodes()
{
    auto w = shownWindow("Form39");
    QVERIFY(w);
    player::PlayerActions &actions = w->player()->actions();
    QVERIFY(actions.nextEpisode->isEnabled()); // nothing chosen: the first comes next
    QVERIFY(!actions.previousEpisode->isEnabled());
    QVERIFY(testing::chooseWithKeyboard(w->list(), 10));
    QVERIFY(actions.previousEpisode->isEnabled());

    auto *next = w->player()->findChild<QToolButton *>("nextEpisodeButton");
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(w->list()->listIndex(), qint16(11));
    QCOMPARE(w->list()->currentText(), text(catalogue::labels(layout::form(39))[11]));
    QCOMPARE(w->player()->url(), text(*catalogue::location(layout::form(39), 11)));
    QCOMPARE(w->player()->engine()->state().title,
             QStringLiteral("ســــورة  يـــس - ") +
                 text(catalogue::labels(layout::form(39))[11]).trimmed());

    w->player()->setFocus();
    QTest::keyClick(w->player(), Qt::Key_N);
    QCOMPARE(w->list()->listIndex(), qint16(12));
    QCOMPARE(w->player()->url(), text(*catalogue::location(layout::form(39), 12)));
    // The last entry has no location: there is no next episode.
    QVERIFY(!actions.nextEpisode->isEnabled());
    QTest::keyClick(w->player(), Qt::Key_N);
    QCOMPARE(w->list()->listIndex(), qint16(12));

    QTest::keyClick(w->player(), Qt::Key_P);
    QCOMPARE(w->list()->listIndex(), qint16(11));
    QCOMPARE(w->player()->url(), text(*catalogue::location(layout::form(39), 11)));
    QTest::mouseClick(w->player()->findChild<QToolButton *>("previousEpisodeButton"),
                      Qt::LeftButton);
    QCOMPARE(w->list()->listIndex(), qint16(10));
}

QTEST_MAIN(TestEpisodeWindow)
#include "tst_episode_window.moc"
