// Linked into every test of the sanitizer build. Mesa unloads its OpenGL
// driver when the X connection closes, before LeakSanitizer looks for leaks
// at exit; a leak inside the driver is then reported from an unknown module
// and cannot be told apart from one of ours. Holding the driver loaded for
// the life of the process keeps its name in those reports, so that
// lsan.supp can name it.

#include <cstdio>
#include <dlfcn.h>

namespace {

[[maybe_unused]] const bool driverHeld = [] {
    if (!dlopen(TAFSIR_GL_DRIVER, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE)) {
        std::fprintf(stderr, "cannot hold the OpenGL driver %s: %s\n", TAFSIR_GL_DRIVER, dlerror());
        return false;
    }
    return true;
}();

} // namespace
