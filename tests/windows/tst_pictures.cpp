// Pictures and icons in the real windows of the application: every picture
// control shows its image at the image's own pixel size at its stored place,
// with its tooltip; pictures lie beneath every other control, in their stored
// order among themselves; every window but Form66 carries the window icon,
// on the X server too.

#include "app/application.h"
#include "common/window_names.h"
#include "player/player_widget.h"
#include "resources/pictures/picture_files.h"
#include "windows/episode/episode_list.h"
#include "windows/picture_control.h"
#include "windows/window_frame.h"

#include <QMainWindow>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <memory>

using windows::PictureControl;

namespace {

struct ExpectedPicture
{
    QString window;
    QString control;
    QString file;
    QRect pixels; // place in the client area and size, in pixels
    QString tooltip;
};

bool isProgrammeWindow(int n)
{
    return n >= 64;
}

bool isEpisodeWindow(int n)
{
    return n >= 3 && n != 63;
}

// Written out from the stored layouts in pixels (15 twips a pixel).
QList<ExpectedPicture> expectedPictures()
{
    QList<ExpectedPicture> all{
        {"Form1", "Image2", "home_background.jpg", {-16, 0, 408, 245}, {}},
        {"Form1", "Image3", "social_mark.jpg", {280, 216, 16, 16}, "Face Book"},
        {"Form1", "Image6", "site_mark.jpg", {304, 216, 16, 16}, "www.nofarth-foundation.org"},
        {"Form1", "Image1", "camera_mark.jpg", {328, 216, 13, 16}, {}},
        {"Form1", "Image4", "video_site_mark.jpg", {344, 216, 42, 21}, "You Tube"},
        {"Form63", "Image1", "programmes_background.jpg", {0, 0, 304, 220}, {}},
    };
    for (int n = 3; n <= 66; ++n) {
        if (!isEpisodeWindow(n))
            continue;
        const QString window = QString("Form%1").arg(n);
        if (isProgrammeWindow(n))
            all.append({window, "Image1", "programme_portrait.jpg", {56, 64, 203, 240}, {}});
        else
            all.append({window, "Image1", "surah_portrait.jpg", {16, 56, 299, 204}, {}});
    }
    return all;
}

QImage storedImage(const QString &file)
{
    return QImage(":/pictures/" + file).convertToFormat(QImage::Format_RGB32);
}

// The control of the client area that is on top at `at`: the direct child
// of the client area that holds the widget found there.
QWidget *topControlAt(QMainWindow *window, const QPoint &at)
{
    QWidget *client = window->centralWidget();
    QWidget *hit = client->childAt(at);
    while (hit && hit->parentWidget() != client)
        hit = hit->parentWidget();
    return hit;
}

QString xProperty(QWidget *window, const char *name)
{
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window->winId()), name});
    if (!xprop.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pictureShowsItsImageAtItsPlace_data();
    void pictureShowsItsImageAtItsPlace();
    void picturesPerWindow_data();
    void picturesPerWindow();
    void sharedPortraitIsOneImage();
    void homeMarksLieOverTheBackground_data();
    void homeMarksLieOverTheBackground();
    void programmeOptionsLieOverThePicture();
    void picturesGoBeneathWhateverTheirPlace();
    void playerCoversTheEpisodePicture_data();
    void playerCoversTheEpisodePicture();
    void windowIcon_data();
    void windowIcon();

private:
    QMainWindow *shown(const QString &name);

    std::unique_ptr<app::Application> m_app;
};

void TestPictures::initTestCase()
{
    layout::registerPictures();
}

void TestPictures::init()
{
    m_app = std::make_unique<app::Application>();
}

void TestPictures::cleanup()
{
    m_app.reset();
}

QMainWindow *TestPictures::shown(const QString &name)
{
    QMainWindow *window = m_app->registry().window(testing::idOf(name));
    if (!window)
        return nullptr;
    window->show();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

void TestPictures::pictureShowsItsImageAtItsPlace_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<QString>("tooltip");
    for (const ExpectedPicture &p : expectedPictures()) {
        QTest::addRow("%s %s", qPrintable(p.window), qPrintable(p.control))
            << p.window << p.control << p.file << p.pixels << p.tooltip;
    }
}

void TestPictures::pictureShowsItsImageAtItsPlace()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, file);
    QFETCH(QRect, pixels);
    QFETCH(QString, tooltip);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    auto *picture = w->findChild<PictureControl *>(control);
    QVERIFY(picture);
    QCOMPARE(picture->parentWidget(), w->centralWidget());
    const QImage image = storedImage(file);
    QCOMPARE(image.size(), pixels.size());
    // Natural size: one image pixel per screen pixel, never stretched.
    QCOMPARE(picture->size(), image.size());
    QCOMPARE(picture->minimumSize(), picture->maximumSize());
    QCOMPARE(picture->geometry(), pixels);
    // On a screen of a higher device pixel ratio (the run at scale factor
    // 2), the picture drawn at twice its size, shown at the same size.
    const bool sharp = qApp->devicePixelRatio() > 1.0;
    const QImage shown = sharp ? storedImage(layout::doubleSizeFileName(file)) : image;
    QCOMPARE(shown.size(), image.size() * (sharp ? 2 : 1));
    QCOMPARE(picture->pixmap().devicePixelRatio(), sharp ? 2.0 : 1.0);
    QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), shown);
    if (qApp->devicePixelRatio() == picture->pixmap().devicePixelRatio()) {
        QCOMPARE(picture->grab().toImage().convertToFormat(QImage::Format_RGB32), shown);
    }
    QCOMPARE(picture->toolTip(), tooltip);
}

void TestPictures::picturesPerWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("pictures");
    QTest::newRow("Form1") << "Form1" << 5;
    QTest::newRow("Form2") << "Form2" << 0;
    QTest::newRow("Form63") << "Form63" << 1;
    for (int n = 3; n <= 66; ++n) {
        if (isEpisodeWindow(n))
            QTest::addRow("Form%d", n) << QString("Form%1").arg(n) << 1;
    }
}

void TestPictures::picturesPerWindow()
{
    QFETCH(QString, window);
    QFETCH(int, pictures);
    QMainWindow *w = m_app->registry().window(testing::idOf(window));
    QCOMPARE(w->findChildren<PictureControl *>().size(), pictures);
}

void TestPictures::sharedPortraitIsOneImage()
{
    // Windows far apart in the table show the very same image.
    const auto pictureOf = [this](const char *window) {
        return m_app->registry()
            .window(testing::idOf(QString(window)))
            ->findChild<PictureControl *>("Image1");
    };
    QCOMPARE(pictureOf("Form3")->pixmap().toImage(), pictureOf("Form62")->pixmap().toImage());
    QCOMPARE(pictureOf("Form18")->pixmap().toImage(), pictureOf("Form40")->pixmap().toImage());
    QCOMPARE(pictureOf("Form64")->pixmap().toImage(), pictureOf("Form66")->pixmap().toImage());
    QVERIFY(pictureOf("Form3")->pixmap().toImage() != pictureOf("Form64")->pixmap().toImage());
}

void TestPictures::homeMarksLieOverTheBackground_data()
{
    QTest::addColumn<QString>("mark");
    for (const char *mark : {"Image1", "Image3", "Image4", "Image6"})
        QTest::newRow(mark) << mark;
}

void TestPictures::homeMarksLieOverTheBackground()
{
    QFETCH(QString, mark);
    QMainWindow *home = shown("Form1");
    QVERIFY(home);
    auto *picture = home->findChild<PictureControl *>(mark);
    auto *background = home->findChild<PictureControl *>("Image2");
    QVERIFY(picture && background);
    // The mark lies inside the background's area, and on top of it there.
    QVERIFY(background->geometry().contains(picture->geometry()));
    const QRect area = picture->geometry();
    for (const QPoint &at : {area.center(), area.topLeft(), area.bottomRight()})
        QCOMPARE(topControlAt(home, at), picture);
    // Just beside it, the background.
    QCOMPARE(topControlAt(home, area.topLeft() - QPoint(0, 2)), background);
}

void TestPictures::programmeOptionsLieOverThePicture()
{
    QMainWindow *programmes = shown("Form63");
    QVERIFY(programmes);
    auto *picture = programmes->findChild<PictureControl *>("Image1");
    QVERIFY(picture);
    for (const char *name : {"Option1", "Option2", "Option3", "Option4"}) {
        auto *option = programmes->findChild<QRadioButton *>(name);
        QVERIFY(option);
        QVERIFY(picture->geometry().contains(option->geometry().center()));
        QCOMPARE(topControlAt(programmes, option->geometry().center()), option);
    }
    QCOMPARE(topControlAt(programmes, QPoint(40, 40)), picture);
}

void TestPictures::picturesGoBeneathWhateverTheirPlace()
{
    // Listed topmost first, a picture first: it still goes beneath the
    // button, while the two pictures keep their listed order.
    QWidget client;
    QPixmap red(40, 40);
    red.fill(Qt::red);
    auto *upper = new PictureControl(red, &client);
    auto *button = new QRadioButton("option", &client);
    auto *lower = new PictureControl(red, &client);
    for (QWidget *w : {static_cast<QWidget *>(upper), static_cast<QWidget *>(button),
                       static_cast<QWidget *>(lower)})
        w->move(0, 0);
    windows::stackTopmostFirst({upper, button, lower});
    const QList<QObject *> bottomToTop = client.children();
    QCOMPARE(bottomToTop, (QList<QObject *>{lower, upper, button}));
}

void TestPictures::playerCoversTheEpisodePicture_data()
{
    QTest::addColumn<QString>("window");
    for (const char *window : {"Form3", "Form18", "Form62", "Form64", "Form66"})
        QTest::newRow(window) << window;
}

void TestPictures::playerCoversTheEpisodePicture()
{
    QFETCH(QString, window);
    QMainWindow *episode = shown(window);
    QVERIFY(episode);
    auto *picture = episode->findChild<PictureControl *>("Image1");
    auto *player = episode->findChild<player::PlayerWidget *>();
    auto *list = episode->findChild<windows::EpisodeList *>();
    QVERIFY(picture && player && list);
    const QRect area = picture->geometry();
    QVERIFY(player->geometry().contains(area));
    for (const QPoint &at :
         {area.center(), area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()})
        QCOMPARE(topControlAt(episode, at), player);
    // The list stays on top of the player.
    QCOMPARE(topControlAt(episode, list->geometry().center()), list);
}

void TestPictures::windowIcon_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("hasIcon");
    for (int n = 1; n <= 66; ++n)
        QTest::addRow("Form%d", n) << QString("Form%1").arg(n) << (n != 66);
}

void TestPictures::windowIcon()
{
    QFETCH(QString, window);
    QFETCH(bool, hasIcon);
    QMainWindow *w = shown(window);
    QVERIFY(w);
    const QString onServer = xProperty(w, "_NET_WM_ICON");
    if (!hasIcon) {
        // Neither its own nor one the application would lend every window;
        // on the server, whatever the window manager puts there for a window
        // without an icon (openbox sets its own default), never ours.
        QVERIFY(w->windowIcon().isNull());
        QVERIFY2(!onServer.contains("32 x 32"), qPrintable(onServer));
        return;
    }
    QVERIFY(w->windowIcon().availableSizes().contains(QSize(32, 32)));
    const QImage icon = w->windowIcon().pixmap(QSize(32, 32)).toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    // The mask's transparent corners and the opaque portrait.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(31, 31)), 0);
    QCOMPARE(qAlpha(icon.pixel(16, 16)), 255);
    QVERIFY2(onServer.contains("32 x 32"), qPrintable(onServer));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
