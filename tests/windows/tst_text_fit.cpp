// Every stored caption and list text wholly visible in its stored box, in
// the fonts the application chose: the text's advance within the room the
// style gives it. CTest runs it again at scale factors 1.5 and 2, where
// fonts round to other pixel sizes.

#include "app/application.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"
#include "windows/window_frame.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMainWindow>
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

private:
    std::unique_ptr<app::Application> m_app;
};

void TestTextFit::initTestCase()
{
    app::prepareQtApplication();
    m_app = std::make_unique<app::Application>();
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
    QMainWindow *w = m_app->registry().window(window);
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
    auto *w = qobject_cast<windows::EpisodeWindow *>(
        m_app->registry().window(QStringLiteral("Form%1").arg(number)));
    QVERIFY(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const double shortfall = listShortfall(w->list());
    w->hide();
    QVERIFY2(shortfall <= 0, qPrintable(QStringLiteral("\"%1\" runs %2 px past its field")
                                            .arg(w->list()->lineEdit()->text())
                                            .arg(shortfall, 0, 'f', 2)));
}

QTEST_MAIN(TestTextFit)
#include "tst_text_fit.moc"
