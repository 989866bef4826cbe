// The home window's link commands, driven by real clicks on the real window
// of a running application: each of the five controls hands its own link to
// the desktop, every time it is clicked, and nothing else in the window opens
// a link. What reaches the desktop is caught by Qt's URL handlers for web
// addresses, the narrowest point short of starting a browser.

#include "app/application.h"
#include "link_test_support.h"
#include "links/link_opener.h"
#include "links/link_table.h"
#include "resources/layouts/text.h"
#include "url_recorder.h"

#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>
#include <QUrlQuery>
#include <memory>

using testing::ExpectedLink;
using testing::UrlRecorder;

namespace {

bool isPlainAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
}

} // namespace

class TestLinkCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tableHoldsTheExpectedLinks();
    void linksHaveTheirForms();
    void siteMarkShowsTheSiteDomain();
    void eachControlOpensItsLinkEveryClick_data();
    void eachControlOpensItsLinkEveryClick();
    void doubleClickOpensTwice();
    void otherControlsOpenNothing_data();
    void otherControlsOpenNothing();
    void launcherHandsOverShellMetacharactersIntact_data();
    void launcherHandsOverShellMetacharactersIntact();

private:
    QMainWindow *startedHome();

    std::unique_ptr<app::Application> m_app;
    UrlRecorder m_recorder;
};

void TestLinkCommands::init()
{
    m_recorder.opened.clear();
    QDesktopServices::setUrlHandler("http", &m_recorder, "open");
    QDesktopServices::setUrlHandler("https", &m_recorder, "open");
    m_app = std::make_unique<app::Application>();
}

void TestLinkCommands::cleanup()
{
    m_app.reset();
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");
}

QMainWindow *TestLinkCommands::startedHome()
{
    m_app->start();
    QMainWindow *home = m_app->registry().existing(layout::form(1));
    if (!home || !QTest::qWaitForWindowExposed(home))
        return nullptr;
    return home;
}

void TestLinkCommands::tableHoldsTheExpectedLinks()
{
    QSet<QString> expected;
    for (const ExpectedLink &link : testing::expectedLinks())
        expected.insert("Form1/" + link.control + "/" + link.text);
    QSet<QString> actual;
    for (const links::LinkCommand &c : links::kLinkCommands) {
        actual.insert(layout::nameOf(c.window) + "/" + layout::toQString(c.control) + "/" +
                      layout::toQString(c.link));
    }
    QCOMPARE(actual.size(), int(links::kLinkCommands.size()));
    QCOMPARE(actual, expected);
}

void TestLinkCommands::linksHaveTheirForms()
{
    QHash<QString, QString> link;
    for (const links::LinkCommand &c : links::kLinkCommands)
        link.insert(layout::toQString(c.control), layout::toQString(c.link));
    for (const QString &text : link)
        QVERIFY2(isPlainAscii(text), qPrintable(text));

    const QUrl instagram(link["Image1"]);
    QCOMPARE(instagram.scheme(), "https");
    QVERIFY(instagram.host().endsWith("instagram.com"));
    QVERIFY(instagram.path().size() > 1);

    const QUrl facebook(link["Image3"]);
    QCOMPARE(facebook.scheme(), "https");
    QVERIFY(facebook.host().endsWith("facebook.com"));
    QVERIFY(link["Image3"].endsWith('/'));

    // Host, slash, channel name: no scheme at all.
    const QString youtube = link["Image4"];
    QVERIFY(!youtube.contains("://"));
    QVERIFY(youtube.startsWith("www.youtube.com/"));
    QVERIFY(youtube.section('/', 1).size() > 0 && !youtube.section('/', 1).contains('/'));

    const QUrl site(link["Image6"]);
    QCOMPARE(site.scheme(), "http");
    QVERIFY(!site.host().isEmpty());
    QVERIFY(site.path().isEmpty());

    const QUrl store(link["بب"]);
    QCOMPARE(store.scheme(), "https");
    QCOMPARE(store.host(), "play.google.com");
    QCOMPARE(store.path(), "/store/apps/details");
    const QUrlQuery query(store);
    QCOMPARE(query.queryItems().size(), 2);
    QCOMPARE(query.queryItems().at(0).first, "id");
    QVERIFY(!query.queryItemValue("id").isEmpty());
    QCOMPARE(query.queryItems().at(1).first, "fbclid");
    QVERIFY(!query.queryItemValue("fbclid").isEmpty());
}

void TestLinkCommands::siteMarkShowsTheSiteDomain()
{
    QMainWindow *home = m_app->registry().window(layout::form(1));
    auto *mark = home->findChild<windows::PictureControl *>("Image6");
    QVERIFY(mark);
    const QString site = layout::toQString(links::kSiteLink);
    QCOMPARE(mark->toolTip(), QUrl(site).host());
    QVERIFY(!mark->toolTip().isEmpty());
}

void TestLinkCommands::eachControlOpensItsLinkEveryClick_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("isMenuItem");
    QTest::addColumn<QString>("address");
    for (const ExpectedLink &link : testing::expectedLinks())
        QTest::newRow(qPrintable(link.control)) << link.control << link.isMenuItem << link.address;
}

void TestLinkCommands::eachControlOpensItsLinkEveryClick()
{
    QFETCH(QString, control);
    QFETCH(bool, isMenuItem);
    QFETCH(QString, address);
    QMainWindow *home = startedHome();
    QVERIFY(home);

    for (int clicks = 1; clicks <= 2; ++clicks) {
        QVERIFY(testing::clickLinkControl(home, {control, isMenuItem, {}, {}}));
        QTRY_COMPARE(m_recorder.opened.size(), clicks);
        QCOMPARE(m_recorder.opened.last().toString(), address);
    }
    // The window stays as it was: visible, alone, and no window was created.
    QVERIFY(home->isVisible());
    QCOMPARE(testing::visibleMainWindows(), QList<QMainWindow *>{home});
    QCOMPARE(testing::otherWindows(m_app->registry()), QStringList{});
}

void TestLinkCommands::doubleClickOpensTwice()
{
    QMainWindow *home = startedHome();
    QVERIFY(home);
    auto *mark = home->findChild<windows::PictureControl *>("Image3");
    QVERIFY(mark);
    QTest::mouseDClick(home->windowHandle(), Qt::LeftButton, {},
                       mark->mapTo(home, mark->rect().center()));
    QTRY_COMPARE(m_recorder.opened.size(), 2);
    QCOMPARE(m_recorder.opened.at(0), m_recorder.opened.at(1));
    QCOMPARE(m_recorder.opened.at(0).toString(), "https://www.facebook.com/NofarthFoundation/");
}

void TestLinkCommands::otherControlsOpenNothing_data()
{
    QTest::addColumn<QString>("menu");    // drop-down to open; empty for the background
    QTest::addColumn<QString>("control"); // its entry or separator to click; empty for none
    QTest::newRow("background Image2") << QString() << QString();
    QTest::newRow("drop-down منوع") << "منوع" << QString();
    QTest::newRow("drop-down ب") << "ب" << QString();
    QTest::newRow("separator سسس") << "منوع"
                                   << "سسس";
    QTest::newRow("separator اااا") << "منوع"
                                    << "اااا";
}

void TestLinkCommands::otherControlsOpenNothing()
{
    QFETCH(QString, menu);
    QFETCH(QString, control);
    QMainWindow *home = startedHome();
    QVERIFY(home);

    if (menu.isEmpty()) {
        // A point of the background away from the four marks.
        auto *background = home->findChild<windows::PictureControl *>("Image2");
        QVERIFY(background);
        const QPoint at = background->mapTo(home, QPoint(120, 100));
        QCOMPARE(home->childAt(at), background);
        QTest::mouseClick(home->windowHandle(), Qt::LeftButton, {}, at);
    } else {
        auto *dropDown = home->findChild<QMenu *>(menu);
        QVERIFY(dropDown);
        QMenuBar *bar = home->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(dropDown->menuAction()).center());
        QTRY_VERIFY(dropDown->isVisible());
        if (!control.isEmpty()) {
            QAction *separator = home->findChild<QAction *>(control);
            QVERIFY(separator && separator->isSeparator());
            QTest::mouseClick(dropDown, Qt::LeftButton, {},
                              dropDown->actionGeometry(separator).center());
        }
        if (dropDown->isVisible())
            QTest::keyClick(dropDown, Qt::Key_Escape);
        QTRY_VERIFY(!dropDown->isVisible());
    }
    // Links open synchronously inside the click: nothing can still be on its way.
    QCOMPARE(m_recorder.opened, QList<QUrl>{});
    QCOMPARE(testing::visibleMainWindows(), QList<QMainWindow *>{home});
    QCOMPARE(testing::otherWindows(m_app->registry()), QStringList{});
}

void TestLinkCommands::launcherHandsOverShellMetacharactersIntact_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("command separators") << "http://example.test/a;touch${IFS}/tmp/pwned&b=$(id)";
    QTest::newRow("quotes and pipes") << "https://example.test/q?a='x'\"y\"|sh>/tmp/pwned`id`";
}

void TestLinkCommands::launcherHandsOverShellMetacharactersIntact()
{
    QFETCH(QString, text);
    QMainWindow *home = startedHome();
    QVERIFY(home);
    links::openLink(text);
    QCOMPARE(m_recorder.opened.size(), 1);
    // The address carries every character of the text; those not allowed in
    // an address travel percent-encoded, as addresses require.
    QCOMPARE(QUrl::fromPercentEncoding(m_recorder.opened.first().toEncoded()), text);
}

QTEST_MAIN(TestLinkCommands)
#include "tst_link_commands.moc"
