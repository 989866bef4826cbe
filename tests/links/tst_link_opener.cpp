// The link commands end to end: from a real click on the home window to the
// desktop's URL opener, xdg-open, started as a program of its own. The test
// puts a stand-in xdg-open first in PATH that records the arguments it is
// given; no browser is involved. Also: with no opener at all, nothing is
// shown and the window goes on working.
//
// Qt looks for the opener once and remembers the one it found for the rest
// of the process, so the test without any opener runs first, and every other
// test uses the same stand-in.

#include "app/application.h"
#include "link_test_support.h"
#include "links/link_opener.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

using testing::ExpectedLink;

namespace {

// Writes an xdg-open that appends its argument count and arguments, one a
// line, to `record`. Addresses hold no line breaks: they travel encoded.
bool writeRecordingOpener(const QString &dir, const QString &record)
{
    QFile script(dir + "/xdg-open");
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" >> '" + record.toLocal8Bit() + "'\n");
    script.close();
    return script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The argument lists of every run of the stand-in opener so far.
QList<QStringList> openerRuns(const QString &record)
{
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLocal8Bit(file.readAll()).split('\n');
    QList<QStringList> runs;
    while (!lines.isEmpty()) {
        bool ok = false;
        const int count = lines.takeFirst().toInt(&ok);
        if (!ok || lines.size() < count)
            break;
        runs.append(lines.mid(0, count));
        lines = lines.mid(count);
    }
    return runs;
}

} // namespace

class TestLinkOpener : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void withoutAnOpenerTheWindowGoesOn();
    void eachControlReachesTheOpener_data();
    void eachControlReachesTheOpener();
    void twoClicksStartTheOpenerTwice();
    void shellMetacharactersRunNothing_data();
    void shellMetacharactersRunNothing();

private:
    QMainWindow *startedHome();
    void usePath(const QString &path);

    QTemporaryDir m_openerDir;
    QTemporaryDir m_emptyDir;
    QString m_record;
    QByteArray m_savedPath;
    std::unique_ptr<app::Application> m_app;
};

void TestLinkOpener::initTestCase()
{
    QVERIFY(m_openerDir.isValid() && m_emptyDir.isValid());
    m_record = m_openerDir.filePath("runs.txt");
    QVERIFY(writeRecordingOpener(m_openerDir.path(), m_record));
    m_savedPath = qgetenv("PATH");
    // Browsers named in the environment would be found before any opener.
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
}

void TestLinkOpener::init()
{
    QFile::remove(m_record);
    m_app = std::make_unique<app::Application>();
}

void TestLinkOpener::cleanup()
{
    m_app.reset();
    qputenv("PATH", m_savedPath);
}

QMainWindow *TestLinkOpener::startedHome()
{
    m_app->start();
    QMainWindow *home = m_app->registry().existing(layout::form(1));
    if (!home || !QTest::qWaitForWindowExposed(home))
        return nullptr;
    return home;
}

void TestLinkOpener::usePath(const QString &path)
{
    qputenv("PATH", path.toLocal8Bit());
}

void TestLinkOpener::withoutAnOpenerTheWindowGoesOn()
{
    // Only an empty folder to look in: no xdg-open, no browser.
    usePath(m_emptyDir.path());
    QLoggingCategory::setFilterRules("tafsir.links.debug=true");
    QMainWindow *home = startedHome();
    QVERIFY(home);

    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("no program took.*facebook"));
    QVERIFY(testing::clickPictureThroughWindow(home, "Image3"));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("no program took.*play.google.com"));
    QVERIFY(testing::clickMenuItem(home, "بب"));
    QLoggingCategory::setFilterRules({});
    QVERIFY(home->isVisible());
    QCOMPARE(testing::visibleMainWindows(), QList<QMainWindow *>{home});

    // The window still does what its controls say.
    QVERIFY(testing::clickMenuItem(home, "بببب"));
    QMainWindow *index = m_app->registry().existing(layout::form(2));
    QTRY_VERIFY(index && index->isVisible());
    QVERIFY(!home->isVisible());
}

void TestLinkOpener::eachControlReachesTheOpener_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("isMenuItem");
    QTest::addColumn<QString>("address");
    for (const ExpectedLink &link : testing::expectedLinks())
        QTest::newRow(qPrintable(link.control)) << link.control << link.isMenuItem << link.address;
}

void TestLinkOpener::eachControlReachesTheOpener()
{
    QFETCH(QString, control);
    QFETCH(bool, isMenuItem);
    QFETCH(QString, address);
    usePath(m_openerDir.path() + ":/usr/bin:/bin");
    QMainWindow *home = startedHome();
    QVERIFY(home);

    QVERIFY(testing::clickLinkControl(home, {control, isMenuItem, {}, {}}));
    // The opener gets the address as its one argument; the text without a
    // scheme arrives as a web address.
    QTRY_COMPARE(openerRuns(m_record).size(), 1);
    QCOMPARE(openerRuns(m_record).first(), QStringList{address});
    QCOMPARE(testing::visibleMainWindows(), QList<QMainWindow *>{home});
    QCOMPARE(testing::otherWindows(m_app->registry()), QStringList{});
}

void TestLinkOpener::twoClicksStartTheOpenerTwice()
{
    usePath(m_openerDir.path() + ":/usr/bin:/bin");
    QMainWindow *home = startedHome();
    QVERIFY(home);
    QVERIFY(testing::clickPictureThroughWindow(home, "Image4"));
    QVERIFY(testing::clickPictureThroughWindow(home, "Image4"));
    QTRY_COMPARE(openerRuns(m_record).size(), 2);
    const QStringList expected{"http://www.youtube.com/SheikhAlNofarth"};
    QCOMPARE(openerRuns(m_record).at(0), expected);
    QCOMPARE(openerRuns(m_record).at(1), expected);
}

void TestLinkOpener::shellMetacharactersRunNothing_data()
{
    // %1 is a file that a shell reading the text would create.
    QTest::addColumn<QString>("text");
    QTest::newRow("separators") << "http://example.test/a;touch${IFS}%1&b=$(id)";
    QTest::newRow("field splitting") << "http://example.test/a;touch$IFS%1;b=`id`|sh";
    QTest::newRow("quotes") << "https://example.test/?q=\"'$(touch$IFS%1)'\"&r=>%1";
}

void TestLinkOpener::shellMetacharactersRunNothing()
{
    QFETCH(QString, text);
    const QString marker = m_openerDir.filePath("pwned");
    text = text.arg(marker);
    usePath(m_openerDir.path() + ":/usr/bin:/bin");
    QMainWindow *home = startedHome();
    QVERIFY(home);

    links::openLink(text);
    QTRY_COMPARE(openerRuns(m_record).size(), 1);
    const QStringList arguments = openerRuns(m_record).first();
    QCOMPARE(arguments.size(), 1);
    // Every character arrives, percent-encoded where an address needs it.
    QCOMPARE(QUrl::fromPercentEncoding(arguments.first().toLatin1()), text);
    QVERIFY(!QFile::exists(marker));
}

QTEST_MAIN(TestLinkOpener)
#include "tst_link_opener.moc"
