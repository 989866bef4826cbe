// How a file's picture is shown, decided from its video track alone: turned
// upright, padded when too thin to place, left out when too large.

#include "player/picture_plan.h"

#include <QTest>

using player::PicturePlan;
using player::VideoTrack;

class TestPicturePlan : public QObject
{
    Q_OBJECT

private slots:
    void planFollowsTheTrack_data();
    void planFollowsTheTrack();
};

void TestPicturePlan::planFollowsTheTrack_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QByteArray>("filters");
    const QByteArray wide = "pad=w=iw:h='max(ih,ceil(iw/32/2)*2)':x=0:y=(oh-ih)/2";
    const QByteArray tall = "pad=w='max(iw,ceil(ih/32/2)*2)':h=ih:x=(ow-iw)/2:y=0";
    const auto row = [](const char *name, QSize size, int rotation, bool shown,
                        QByteArray filters) {
        QTest::newRow(name) << size << rotation << shown << filters;
    };
    row("as stored", {640, 360}, 0, true, {});
    row("no video track", {}, 0, true, {});
    row("a quarter turn", {640, 360}, 90, true, "lavfi=[transpose=dir=clock]");
    row("a half turn", {640, 360}, 180, true, "lavfi=[hflip,vflip]");
    row("three quarters", {640, 360}, 270, true, "lavfi=[transpose=dir=cclock]");
    row("counted backwards", {640, 360}, -90, true, "lavfi=[transpose=dir=cclock]");
    row("past a full turn", {640, 360}, 450, true, "lavfi=[transpose=dir=clock]");
    row("near a quarter", {640, 360}, 87, true, "lavfi=[transpose=dir=clock]");
    row("near none", {640, 360}, 359, true, {});
    row("3840×2160, the largest shown", {3840, 2160}, 0, true, {});
    row("a pixel more", {3841, 2160}, 0, false, {});
    row("8K", {7680, 4320}, 90, false, {});
    row("32:1, not padded", {640, 20}, 0, true, {});
    row("a strip", {8000, 16}, 0, true, "lavfi=[" + wide + ']');
    row("a column", {16, 9000}, 0, true, "lavfi=[" + tall + ']');
    // Turned first: a column on its side is a strip once upright.
    row("a column turned", {16, 8000}, 90, true, "lavfi=[transpose=dir=clock," + wide + ']');
}

void TestPicturePlan::planFollowsTheTrack()
{
    QFETCH(QSize, size);
    QFETCH(int, rotation);
    QFETCH(bool, shown);
    QFETCH(QByteArray, filters);
    const PicturePlan plan = player::planPicture(VideoTrack{size, rotation});
    QCOMPARE(plan.shown, shown);
    QCOMPARE(plan.filters, filters);
}

QTEST_APPLESS_MAIN(TestPicturePlan)
#include "tst_picture_plan.moc"
