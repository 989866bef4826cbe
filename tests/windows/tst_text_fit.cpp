// Every stored caption and list text wholly visible in its stored box, in
// the fonts the application chose: the text's advance within the room the
// style gives it. CTest runs it again at scale factors 1.5 and 2, where
// fonts round to other pixel sizes.

#include "app/application.h"
#include "common/window_names.h"
#include "player/control_bar.h"
#include "player/player_widget.h"
#include "player/status_text.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"
#include "windows/window_frame.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <memory>

namespace {

// How far the text runs past its room, in pixels; 0 or less when it fits.
double optionShortfall(QRadioButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room =
        button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
    return QFontMetricsF(button->font()).horizontalAdvance(button->text()) - room.width();
}

// A line edit keeps a margin of two pixels on either side of its text.
constexpr int kLineEditMargin = 2;

double listShortfall(windows::EpisodeList *list)
{
    QLineEdit *field = list->lineEdit();
    // The stored text as the field shows it from its start, leading blanks
    // included; trailing blanks may run out of sight.
    QString visible = field->text();
    while (visible.endsWith(QLatin1Char(' ')))
        visible.chop(1);
    const double advance =
        QFontMetricsF(field->font()).horizontalAdvance(QChar(windows::kLeftToRightMark) + visible);
    return advance - (field->rect().width() - 2 * kLineEditMargin);
}

// How far a label's text runs past the room it draws in.
double labelShortfall(const QLabel *label)
{
    const double room =
        label->contentsRect().width() - 2 * label->margin() - qMax(0, label->indent());
    return QFontMetricsF(label->font()).horizontalAdvance(label->text()) - room;
}

// Every kind of status line, at its longest.
QList<player::PlaybackState> everyStatus()
{
    using player::Fault;
    using player::Status;
    QList<player::PlaybackState> states;
    for (Status status : {Status::Idle, Status::Connecting, Status::Buffering, Status::Playing,
                          Status::Paused, Status::Stopped, Status::Finished, Status::EndedEarly}) {
        player::PlaybackState state;
        state.status = status;
        state.waitSeconds = 30;
        state.bufferingPercent = 100;
        states << state;
        // A speed other than normal is added to what is running.
        state.speed = 0.25;
        states << state;
    }
    for (Fault fault :
         {Fault::NotFound, Fault::Forbidden, Fault::ServerError, Fault::ConnectionRefused,
          Fault::UnknownHost, Fault::Certificate, Fault::CertificateExpired,
          Fault::CertificateSelfSigned, Fault::CertificateWrongHost, Fault::UnsupportedMedia,
          Fault::Network, Fault::TooSlow, Fault::EngineUnavailable}) {
        player::PlaybackState state;
        state.status = Status::Failed;
        state.fault = fault;
        states << state;
    }
    // The widest time: hours, and every digit a wide one.
    player::PlaybackState longest;
    longest.status = Status::Playing;
    longest.duration = 35999;
    longest.position = 35999;
    states << longest;
    return states;
}

// The menu captions the bar cannot show in full (an entry moved to the
// bar's overflow has no place on it).
QStringList cutMenuCaptions(QMenuBar *bar)
{
    QStringList cut;
    for (QAction *action : bar->actions()) {
        if (!action->isVisible())
            continue;
        const QRect place = bar->actionGeometry(action);
        const double advance = QFontMetricsF(bar->font()).horizontalAdvance(action->text());
        if (place.isEmpty() || !bar->rect().contains(place) || advance > place.width())
            cut << QStringLiteral("\"%1\"").arg(action->text());
    }
    return cut;
}

QStringList windowNames()
{
    QStringList names;
    for (int number = 1; number <= 66; ++number)
        names << QStringLiteral("Form%1").arg(number);
    return names;
}

} // namespace

class TestTextFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void optionCaptionsFit_data();
    void optionCaptionsFit();
    void listTextsFit_data();
    void listTextsFit();
    void playerTextsFit_data();
    void playerTextsFit();
    void menuCaptionsFit_data();
    void menuCaptionsFit();

private:
    // The episode window FormN, shown; null if it did not reach the screen.
    windows::EpisodeWindow *showEpisodeWindow(int number);

    std::unique_ptr<app::Application> m_app;
};

void TestTextFit::initTestCase()
{
    app::prepareQtApplication();
    m_app = std::make_unique<app::Application>();
}

windows::EpisodeWindow *TestTextFit::showEpisodeWindow(int number)
{
    auto *w = qobject_cast<windows::EpisodeWindow *>(
        m_app->registry().window(testing::idOf(QStringLiteral("Form%1").arg(number))));
    if (!w)
        return nullptr;
    w->show();
    return QTest::qWaitForWindowExposed(w) ? w : nullptr;
}

void TestTextFit::optionCaptionsFit_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("surah index") << "Form2";
    QTest::newRow("programmes") << "Form63";
}

void TestTextFit::optionCaptionsFit()
{
    QFETCH(QString, window);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QStringList cut;
    for (QRadioButton *button : w->findChildren<QRadioButton *>()) {
        const double shortfall = optionShortfall(button);
        if (shortfall > 0)
            cut << QStringLiteral("%1 \"%2\" by %3 px")
                       .arg(button->objectName(), button->text())
                       .arg(shortfall, 0, 'f', 2);
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

void TestTextFit::listTextsFit_data()
{
    QTest::addColumn<int>("number");
    for (int number = 3; number <= 66; ++number) {
        if (number != 63)
            QTest::addRow("Form%d", number) << number;
    }
}

void TestTextFit::listTextsFit()
{
    QFETCH(int, number);
    windows::EpisodeWindow *w = showEpisodeWindow(number);
    QVERIFY(w);
    const double shortfall = listShortfall(w->list());
    w->hide();
    QVERIFY2(shortfall <= 0, qPrintable(QStringLiteral("\"%1\" runs %2 px past its field")
                                            .arg(w->list()->lineEdit()->text())
                                            .arg(shortfall, 0, 'f', 2)));
}

void TestTextFit::playerTextsFit_data()
{
    listTextsFit_data();
}

void TestTextFit::playerTextsFit()
{
    QFETCH(int, number);
    windows::EpisodeWindow *w = showEpisodeWindow(number);
    QVERIFY(w);
    auto *bar = w->findChild<player::ControlBar *>();
    QVERIFY(bar);
    const auto *status = bar->findChild<QLabel *>(QStringLiteral("statusLabel"));
    const auto *time = bar->findChild<QLabel *>(QStringLiteral("timeLabel"));
    QVERIFY(status && time);
    QStringList cut;
    for (const player::PlaybackState &state : everyStatus()) {
        bar->setState(state);
        // The labels' places follow their texts through the layout.
        QApplication::sendPostedEvents();
        for (const QLabel *label : {status, time}) {
            const double shortfall = labelShortfall(label);
            if (shortfall > 0)
                cut << QStringLiteral("\"%1\" by %2 px")
                           .arg(label->text())
                           .arg(shortfall, 0, 'f', 2);
        }
    }
    bar->setState(player::PlaybackState{});
    w->hide();
    cut.removeDuplicates();
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

void TestTextFit::menuCaptionsFit_data()
{
    QTest::addColumn<QString>("window");
    for (const QString &name : windowNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestTextFit::menuCaptionsFit()
{
    QFETCH(QString, window);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    QVERIFY(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // menuBar() would make a bar for a window that has none.
    auto *bar = qobject_cast<QMenuBar *>(w->menuWidget());
    const QStringList cut = bar ? cutMenuCaptions(bar) : QStringList();
    w->hide();
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestTextFit)
#include "tst_text_fit.moc"
