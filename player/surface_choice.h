#pragma once

// Which video surface a process draws its pictures with. OpenGL pays where
// a GPU draws; where OpenGL is a software rasteriser (virtual machines,
// remote desktops, machines without a GPU driver) drawing in software
// costs less and loads no GL driver, and where no OpenGL context can be
// made at all it is the only way.

#include <QString>
#include <QStringView>
#include <functional>

namespace player {

enum class SurfaceKind { Gl, Software };

// What is known of the machine's OpenGL, learned by making a context.
struct GlFacts
{
    bool contextMade = false;
    QString renderer; // GL_RENDERER of that context
};

struct SurfaceChoice
{
    SurfaceKind kind;
    QString reason;
};

// The environment variable that forces a kind: "gl" or "software".
inline constexpr char kSurfaceVariable[] = "TAFSIR_VIDEO_SURFACE";

// The choice, from what the user forced (the variable's value, empty if
// unset), whether the machine has a GPU render node, and the facts of a GL
// context, asked for only when they decide.
SurfaceChoice chooseSurface(QStringView forced, bool hasRenderNode,
                            const std::function<GlFacts()> &probeGl);

// Whether a GL renderer's name is that of a software rasteriser.
bool isSoftwareRenderer(QStringView renderer);

// The kind this process uses, chosen on the first call; the choice and its
// reason are logged once.
SurfaceKind surfaceKindOfThisProcess();

} // namespace player
