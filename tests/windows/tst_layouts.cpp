// Stored layouts on real windows: every control at its stored geometry,
// fixed frames, opening positions, tab orders, Form2's background, the
// left-to-right base direction, and the Arabic font found and used.

#include "app/application.h"
#include "common/image_checks.h"
#include "common/window_names.h"
#include "player/player_widget.h"
#include "resources/layouts/episode_layouts.h"
#include "resources/layouts/hub_layouts.h"
#include "resources/layouts/text.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"
#include "windows/window_frame.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QRawFont>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextLayout>
#include <memory>

using layout::toQString;

namespace {

QRect pixels(const layout::Rect &r)
{
    return {r.left / 15, r.top / 15, r.width / 15, r.height / 15};
}

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void hubControlsAtStoredGeometry_data();
    void hubControlsAtStoredGeometry();
    void episodeControlsAtStoredGeometry_data();
    void episodeControlsAtStoredGeometry();
    void framesAreFixed_data();
    void framesAreFixed();
    void openingPositions_data();
    void openingPositions();
    void tabOrders_data();
    void tabOrders();
    void surahIndexBackground();
    void optionButtonsKeepTheButtonFace_data();
    void optionButtonsKeepTheButtonFace();
    void optionCirclesAreWhole_data();
    void optionCirclesAreWhole();
    void titlesAndFieldsRunLeftToRight();
    void arabicFontFoundAndUsed();
    void form18UsesItsLargerFont();
    void storedTextsHaveTheirGlyphs();
    void menuBarsRunLeftToRightInStoredOrder_data();
    void menuBarsRunLeftToRightInStoredOrder();
    void windowsRenderTheirContent_data();
    void windowsRenderTheirContent();

private:
    std::unique_ptr<app::Application> m_app;
};

void TestLayouts::initTestCase()
{
    app::prepareQtApplication();
}

void TestLayouts::init()
{
    m_app = std::make_unique<app::Application>();
}

void TestLayouts::cleanup()
{
    m_app.reset();
}

void TestLayouts::hubControlsAtStoredGeometry_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");
    for (const layout::WindowLayout *l :
         {&layout::kHomeLayout, &layout::kSurahIndexLayout, &layout::kProgrammesLayout}) {
        for (const layout::Control &c : l->controls) {
            QTest::addRow("%s %s", l->name.data(), toQString(c.name).toUtf8().constData())
                << toQString(l->name) << toQString(c.name) << pixels(c.geometry);
        }
    }
}

void TestLayouts::hubControlsAtStoredGeometry()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    QWidget *widget = w->centralWidget()->findChild<QWidget *>(control, Qt::FindDirectChildrenOnly);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
}

void TestLayouts::episodeControlsAtStoredGeometry_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QRect>("list");
    QTest::addColumn<QRect>("player");
    for (const layout::EpisodeLayout &l : layout::kEpisodeLayouts) {
        const bool programme = l.name == "Form64" || l.name == "Form65" || l.name == "Form66";
        QTest::newRow(l.name.data())
            << toQString(l.name) << pixels(l.listGeometry.value_or(layout::kEpisodeListGeometry))
            << pixels(programme ? layout::kProgrammePlayerGeometry : layout::kSurahPlayerGeometry);
    }
}

void TestLayouts::episodeControlsAtStoredGeometry()
{
    QFETCH(QString, window);
    QFETCH(QRect, list);
    QFETCH(QRect, player);
    auto *w =
        qobject_cast<windows::EpisodeWindow *>(m_app->registry().window(testing::idOf(window)));
    QVERIFY(w);
    QCOMPARE(w->list()->geometry(), list);
    QCOMPARE(w->player()->geometry(), player);
}

void TestLayouts::framesAreFixed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("client");
    QTest::newRow("Form1") << "Form1" << QSize(391, 245);
    QTest::newRow("Form2") << "Form2" << QSize(310, 362);
    QTest::newRow("Form63") << "Form63" << QSize(304, 219);
    QTest::newRow("Form3") << "Form3" << QSize(330, 384);
    QTest::newRow("Form64") << "Form64" << QSize(320, 434);
}

// The window manager's _NET_WM_ALLOWED_ACTIONS for a top-level window, as
// xprop prints it; empty until the window manager has set it.
static QByteArray allowedActions(QWidget *window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("_NET_WM_ALLOWED_ACTIONS")});
    if (!xprop.waitForFinished(5000))
        return {};
    const QByteArray out = xprop.readAllStandardOutput();
    return out.contains("_NET_WM_ACTION_") ? out : QByteArray();
}

void TestLayouts::framesAreFixed()
{
    QFETCH(QString, window);
    QFETCH(QSize, client);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->centralWidget()->size(), client);
    QCOMPARE(w->minimumSize(), w->maximumSize()); // the user cannot resize it
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    // What the window manager itself lets the user do with the frame; on a
    // loaded machine it may take seconds to say.
    QTRY_VERIFY_WITH_TIMEOUT(!allowedActions(w).isEmpty(), 15000);
    const QByteArray allowed = allowedActions(w);
    QVERIFY2(allowed.contains("_NET_WM_ACTION_MINIMIZE"), allowed.constData());
    QVERIFY2(allowed.contains("_NET_WM_ACTION_CLOSE"), allowed.constData());
    QVERIFY2(!allowed.contains("_NET_WM_ACTION_MAXIMIZE"), allowed.constData());
    QVERIFY2(!allowed.contains("_NET_WM_ACTION_RESIZE"), allowed.constData());
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    w->showNormal();
    QTRY_VERIFY(!w->isMinimized());
    QCOMPARE(w->centralWidget()->size(), client); // minimising keeps the layout
}

void TestLayouts::openingPositions_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QPoint>("clientTopLeft");
    QTest::newRow("Form2") << "Form2" << QPoint(157, 164);
    QTest::newRow("Form3") << "Form3" << QPoint(10, 52);
    QTest::newRow("Form20") << "Form20" << QPoint(88, 130);
    QTest::newRow("Form36") << "Form36" << QPoint(122, 147);
}

void TestLayouts::openingPositions()
{
    QFETCH(QString, window);
    QFETCH(QPoint, clientTopLeft);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTRY_COMPARE(w->centralWidget()->mapToGlobal(QPoint(0, 0)), clientTopLeft);
}

void TestLayouts::tabOrders_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("order");
    QStringList surahIndex{"Option15"};
    for (int n = 14; n >= 1; --n)
        surahIndex.append(QString("Option%1").arg(n));
    for (int n = 16; n <= 61; ++n)
        surahIndex.append(QString("Option%1").arg(n));
    QTest::newRow("Form2") << "Form2" << surahIndex;
    QTest::newRow("Form63") << "Form63" << QStringList{"Option1", "Option2", "Option3", "Option4"};
}

void TestLayouts::tabOrders()
{
    QFETCH(QString, window);
    QFETCH(QStringList, order);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    QWidget *widget = w->findChild<QWidget *>(order.first());
    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        visited.append(widget->objectName());
        do {
            widget = widget->nextInFocusChain();
        } while (!qobject_cast<QRadioButton *>(widget));
    }
    QCOMPARE(visited, order);
}

void TestLayouts::surahIndexBackground()
{
    QMainWindow *index = m_app->registry().window(layout::form(2));
    QWidget *client = index->centralWidget();
    QVERIFY(client->autoFillBackground());
    QCOMPARE(client->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Base));
    auto *button = index->findChild<QRadioButton *>("Option1");
    QCOMPARE(button->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Window));
    // Other windows keep the toolkit's colours.
    QVERIFY(!m_app->registry().window(layout::form(63))->centralWidget()->autoFillBackground());
}

void TestLayouts::optionButtonsKeepTheButtonFace_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::newRow("over the programmes picture") << "Form63"
                                                 << "Option1";
    QTest::newRow("over the programmes picture, last") << "Form63"
                                                       << "Option3";
    QTest::newRow("over the surah index background") << "Form2"
                                                     << "Option30";
}

void TestLayouts::optionButtonsKeepTheButtonFace()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    auto *option = w->findChild<QRadioButton *>(button);
    QVERIFY(option);
    // The corners of the box, away from the circle and the text, as the
    // screen shows them.
    const QImage shot = w->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    const QRect box = option->geometry().translated(option->parentWidget()->mapTo(w, QPoint()));
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (const QPoint corner : {box.topLeft() + QPoint(1, 1), box.topRight() + QPoint(-1, 1),
                                box.bottomLeft() + QPoint(1, -1)}) {
        const QColor seen = shot.pixelColor((QPointF(corner) * ratio).toPoint());
        QVERIFY2(seen == QApplication::palette().color(QPalette::Window) || seen == face,
                 qPrintable(QStringLiteral("%1 at %2,%3 of %4")
                                .arg(seen.name())
                                .arg(corner.x())
                                .arg(corner.y())
                                .arg(button)));
    }
}

void TestLayouts::optionCirclesAreWhole_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("surah index") << "Form2";
    QTest::newRow("programmes") << "Form63";
}

void TestLayouts::optionCirclesAreWhole()
{
    // Every circle not chosen and without the focus looks like every other
    // on the screen: none is cut by a neighbouring button lying over it.
    QFETCH(QString, window);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QImage shot = w->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    QMap<QString, QImage> circles;
    for (QRadioButton *button : w->findChildren<QRadioButton *>()) {
        if (!button->isVisible() || button->isChecked() || button->hasFocus())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect indicator =
            button->style()
                ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button)
                .translated(button->mapTo(w, QPoint()));
        if (!w->rect().contains(indicator))
            continue; // one lies out of sight below the window
        circles.insert(button->objectName(), shot.copy(QRectF(QPointF(indicator.topLeft()) * ratio,
                                                              QSizeF(indicator.size()) * ratio)
                                                           .toAlignedRect()));
    }
    QVERIFY(circles.size() > 2);
    // The look most of them share.
    QMap<qsizetype, QImage> looks;
    for (const QImage &circle : circles)
        looks.insert(std::count(circles.cbegin(), circles.cend(), circle), circle);
    const QImage usual = looks.last();
    QStringList different;
    for (auto it = circles.cbegin(); it != circles.cend(); ++it) {
        if (it.value() != usual)
            different << it.key();
    }
    QVERIFY2(different.isEmpty(), qPrintable(different.join(QStringLiteral(", "))));
}

void TestLayouts::titlesAndFieldsRunLeftToRight()
{
    auto *w = qobject_cast<windows::EpisodeWindow *>(m_app->registry().window(layout::form(3)));
    QCOMPARE(w->windowTitle(),
             QChar(windows::kLeftToRightMark) + QString(14, ' ') + "الشيـــخ النوفـــارث");
    QCOMPARE(m_app->registry().window(layout::form(2))->windowTitle(),
             QChar(windows::kLeftToRightMark) + QString("            تفسيــر القـرآن فديو   "));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // The stored text begins with blanks; left to right, the cursor before
    // them stands at the left edge of the field.
    QLineEdit *field = w->list()->lineEdit();
    QVERIFY(field->text().startsWith(QChar(windows::kLeftToRightMark) + QString(15, ' ')));
    QCOMPARE(field->layoutDirection(), Qt::LeftToRight);
    field->setCursorPosition(1);
    const int atStart = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    field->setCursorPosition(field->text().size());
    QVERIFY2(
        atStart < field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(),
        qPrintable(QString("%1 vs %2")
                       .arg(atStart)
                       .arg(field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x())));
}

void TestLayouts::arabicFontFoundAndUsed()
{
    QVERIFY(QFontDatabase::families().contains("Noto Naskh Arabic"));
    // Lay out a caption in the application's font and see which font draws
    // the Arabic letters.
    QTextLayout text("الفـاتحـة", QApplication::font());
    text.beginLayout();
    text.createLine();
    text.endLayout();
    QStringList families;
    for (const QGlyphRun &run : text.glyphRuns())
        families.append(run.rawFont().familyName());
    QCOMPARE(families, QStringList{"Noto Naskh Arabic"});
}

void TestLayouts::form18UsesItsLargerFont()
{
    auto *w = qobject_cast<windows::EpisodeWindow *>(m_app->registry().window(layout::form(18)));
    QCOMPARE(w->font().pointSizeF(), 13.0);
    QCOMPARE(w->list()->font().pointSizeF(), 13.0);
    QCOMPARE(w->list()->height(), 32);
    auto *other =
        qobject_cast<windows::EpisodeWindow *>(m_app->registry().window(layout::form(17)));
    QVERIFY(other->list()->font().pointSizeF() < 13.0);
    // The player's controls are the same in every window.
    QCOMPARE(w->findChild<player::PlayerWidget *>()->font(),
             other->findChild<player::PlayerWidget *>()->font());
}

void TestLayouts::storedTextsHaveTheirGlyphs()
{
    // Every character of every stored caption, list text and menu entry is
    // in the fonts the application chose: nothing falls back to a box.
    const QRawFont latin = QRawFont::fromFont(QFont("Noto Sans"));
    const QRawFont arabic = QRawFont::fromFont(QFont("Noto Naskh Arabic"));
    QVERIFY(arabic.familyName() == "Noto Naskh Arabic");
    QStringList texts;
    for (const layout::WindowLayout *l :
         {&layout::kHomeLayout, &layout::kSurahIndexLayout, &layout::kProgrammesLayout}) {
        texts << toQString(l->caption);
        for (const layout::Control &c : l->controls)
            texts << toQString(c.caption);
        for (const layout::MenuEntry &m : l->menu)
            texts << toQString(m.caption);
    }
    for (const layout::EpisodeLayout &l : layout::kEpisodeLayouts)
        texts << toQString(l.listText) << toQString(layout::kEpisodeCaptionText);
    for (const layout::MenuEntry &m : layout::kEpisodeMenu)
        texts << toQString(m.caption);
    for (const QString &text : texts) {
        for (const QChar c : text) {
            QVERIFY2(
                latin.supportsCharacter(c) || arabic.supportsCharacter(c),
                qPrintable(QString("U+%1 in %2").arg(c.unicode(), 4, 16, QChar('0')).arg(text)));
        }
    }
}

void TestLayouts::menuBarsRunLeftToRightInStoredOrder_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("Form1") << "Form1" << QStringList{"منوع", "بببب", "ب"};
    QTest::newRow("Form3") << "Form3" << QStringList{"m", "v"};
    QTest::newRow("Form64") << "Form64" << QStringList{"فديو", "ننو"};
}

void TestLayouts::menuBarsRunLeftToRightInStoredOrder()
{
    QFETCH(QString, window);
    QFETCH(QStringList, entries);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QMenuBar *bar = w->menuBar();
    QCOMPARE(bar->layoutDirection(), Qt::LeftToRight);
    int previousLeft = -1;
    for (const QString &name : entries) {
        QAction *entry = nullptr;
        for (QAction *a : bar->actions()) {
            if (a->objectName() == name || (a->menu() && a->menu()->objectName() == name))
                entry = a;
        }
        QVERIFY2(entry, qPrintable(name));
        const int left = bar->actionGeometry(entry).left();
        QVERIFY2(left > previousLeft, qPrintable(QString("%1 at %2").arg(name).arg(left)));
        previousLeft = left;
    }
}

void TestLayouts::windowsRenderTheirContent_data()
{
    QTest::addColumn<QString>("window");
    for (const char *name : {"Form1", "Form2", "Form63", "Form3", "Form64"})
        QTest::newRow(name) << name;
}

void TestLayouts::windowsRenderTheirContent()
{
    QFETCH(QString, window);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QImage image = w->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    QCOMPARE(image.deviceIndependentSize().toSize(), w->size());
    // A window drawn empty has a colour or two; a drawn one has pictures,
    // text with antialiased Arabic glyphs and controls.
    const int colours = testing::colourCount(image, image.rect());
    QVERIFY2(colours > 40, qPrintable(QString::number(colours)));
    // The menu bar and the client area both carry drawing.
    const QRect menu = w->menuWidget() ? w->menuWidget()->geometry() : QRect();
    if (menu.isValid()) {
        QSet<QRgb> menuColours;
        for (int x = 0; x < menu.width(); ++x)
            menuColours.insert(
                image.pixel(int((menu.left() + x) * ratio), int(menu.center().y() * ratio)));
        QVERIFY2(menuColours.size() > 3, "the menu bar shows no text");
    }
}

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
