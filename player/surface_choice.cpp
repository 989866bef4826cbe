#include "surface_choice.h"

#include "logging.h"

#include <QDir>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace player {
namespace {

// Mesa's software rasterisers and the generic names drivers give them.
constexpr QStringView kSoftwareRenderers[] = {u"llvmpipe", u"softpipe", u"swrast",
                                              u"software rasterizer", u"lavapipe"};

bool machineHasRenderNode()
{
    return !QDir(QStringLiteral("/dev/dri"))
                .entryList({QStringLiteral("renderD*")}, QDir::System)
                .isEmpty();
}

GlFacts probeGl()
{
    GlFacts facts;
    QOpenGLContext context;
    if (!context.create())
        return facts;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return facts;
    facts.contextMade = true;
    const auto *renderer =
        reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
    facts.renderer = QString::fromLatin1(renderer ? renderer : "");
    context.doneCurrent();
    return facts;
}

} // namespace

bool isSoftwareRenderer(QStringView renderer)
{
    for (const QStringView name : kSoftwareRenderers) {
        if (renderer.contains(name, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

SurfaceChoice chooseSurface(QStringView forced, bool hasRenderNode,
                            const std::function<GlFacts()> &probeGl)
{
    if (forced == u"software")
        return {SurfaceKind::Software, QStringLiteral("forced")};
    const bool glForced = forced == u"gl";
    if (!glForced && !hasRenderNode)
        return {SurfaceKind::Software, QStringLiteral("no GPU render node")};
    const GlFacts facts = probeGl();
    if (!facts.contextMade)
        return {SurfaceKind::Software, QStringLiteral("no OpenGL context can be made")};
    if (glForced)
        return {SurfaceKind::Gl, QStringLiteral("forced; renderer ") + facts.renderer};
    if (isSoftwareRenderer(facts.renderer))
        return {SurfaceKind::Software,
                QStringLiteral("OpenGL is a software rasteriser: ") + facts.renderer};
    return {SurfaceKind::Gl, QStringLiteral("renderer ") + facts.renderer};
}

SurfaceKind surfaceKindOfThisProcess()
{
    static const SurfaceKind kind = [] {
        const QString forced = qEnvironmentVariable(kSurfaceVariable).trimmed().toLower();
        if (!forced.isEmpty() && forced != u"gl" && forced != u"software")
            qCWarning(lcPlayer) << kSurfaceVariable << "is" << forced
                                << "- neither gl nor software; choosing by the machine";
        const SurfaceChoice choice = chooseSurface(forced, machineHasRenderNode(), &probeGl);
        qCInfo(lcPlayer).noquote()
            << "video drawn with" << (choice.kind == SurfaceKind::Gl ? "OpenGL" : "software") << "-"
            << choice.reason;
        return choice.kind;
    }();
    return kind;
}

} // namespace player
