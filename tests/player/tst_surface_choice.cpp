// Which video surface a process draws with, from what the user forced, the
// machine's GPU and what a GL context reports; and that the GL context is
// made only when it decides.

#include "player/surface_choice.h"

#include <QTest>

using player::GlFacts;
using player::SurfaceKind;

Q_DECLARE_METATYPE(player::SurfaceKind)

class TestSurfaceChoice : public QObject
{
    Q_OBJECT

private slots:
    void choice_data();
    void choice();
    void softwareRenderers_data();
    void softwareRenderers();
};

void TestSurfaceChoice::choice_data()
{
    QTest::addColumn<QString>("forced");
    QTest::addColumn<bool>("renderNode");
    QTest::addColumn<bool>("contextMade");
    QTest::addColumn<QString>("renderer");
    QTest::addColumn<SurfaceKind>("kind");
    QTest::addColumn<bool>("probed");

    const QString llvmpipe = QStringLiteral("llvmpipe (LLVM 15.0.6, 256 bits)");
    const QString gpu = QStringLiteral("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)");
    QTest::newRow("a GPU") << "" << true << true << gpu << SurfaceKind::Gl << true;
    QTest::newRow("a render node but llvmpipe")
        << "" << true << true << llvmpipe << SurfaceKind::Software << true;
    QTest::newRow("a render node but no context")
        << "" << true << false << "" << SurfaceKind::Software << true;
    QTest::newRow("no render node: no GL driver loaded")
        << "" << false << true << gpu << SurfaceKind::Software << false;
    QTest::newRow("software forced on a GPU")
        << "software" << true << true << gpu << SurfaceKind::Software << false;
    QTest::newRow("GL forced on llvmpipe")
        << "gl" << false << true << llvmpipe << SurfaceKind::Gl << true;
    QTest::newRow("GL forced with no context")
        << "gl" << true << false << "" << SurfaceKind::Software << true;
    QTest::newRow("an unknown value chooses by the machine")
        << "vulkan" << true << true << llvmpipe << SurfaceKind::Software << true;
}

void TestSurfaceChoice::choice()
{
    QFETCH(QString, forced);
    QFETCH(bool, renderNode);
    QFETCH(bool, contextMade);
    QFETCH(QString, renderer);
    QFETCH(SurfaceKind, kind);
    QFETCH(bool, probed);

    bool wasProbed = false;
    const player::SurfaceChoice choice = player::chooseSurface(forced, renderNode, [&] {
        wasProbed = true;
        return GlFacts{contextMade, renderer};
    });
    QCOMPARE(choice.kind, kind);
    QCOMPARE(wasProbed, probed);
    QVERIFY(!choice.reason.isEmpty());
}

void TestSurfaceChoice::softwareRenderers_data()
{
    QTest::addColumn<QString>("renderer");
    QTest::addColumn<bool>("software");
    QTest::newRow("llvmpipe") << "llvmpipe (LLVM 15.0.6, 256 bits)" << true;
    QTest::newRow("softpipe") << "softpipe" << true;
    QTest::newRow("classic swrast") << "Mesa X11 swrast" << true;
    QTest::newRow("Microsoft's") << "GDI Generic Software Rasterizer" << true;
    QTest::newRow("Intel") << "Mesa Intel(R) UHD Graphics 620 (KBL GT2)" << false;
    QTest::newRow("NVIDIA") << "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2" << false;
    QTest::newRow("a virtual GPU") << "virgl (AMD Radeon RX 6600)" << false;
}

void TestSurfaceChoice::softwareRenderers()
{
    QFETCH(QString, renderer);
    QFETCH(bool, software);
    QCOMPARE(player::isSoftwareRenderer(renderer), software);
}

QTEST_GUILESS_MAIN(TestSurfaceChoice)
#include "tst_surface_choice.moc"
