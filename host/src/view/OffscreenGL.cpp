#include "view/OffscreenGL.h"

#include <maya/MGlobal.h>

#include <GL/osmesa.h>
#include <dlfcn.h>

#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace rvhost {

namespace {

// The renderer keeps a few allocations for the life of the process where the leak checker
// cannot see them; they are not ours to free.
struct RendererAllocations {
#if defined(__SANITIZE_ADDRESS__)
    RendererAllocations() {
        __lsan_disable();
    }
    ~RendererAllocations() {
        __lsan_enable();
    }
#endif
};

} // namespace

// Never destroyed: the renderer keeps buffers of its own that only a live context reaches,
// and plug-in code may still draw while other statics are torn down.
OffscreenGL& OffscreenGL::instance() {
    static OffscreenGL* gl = new OffscreenGL;
    return *gl;
}

bool OffscreenGL::makeCurrent(int width, int height, std::string& error) {
    [[maybe_unused]] const RendererAllocations kept;
    if (!context_) {
        // 24-bit depth, 8-bit stencil, no accumulation buffer, nothing shared.
        context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
        if (!context_) {
            error = "the off-screen OpenGL renderer could not create a context";
            return false;
        }
        if (!globalSymbolsReachRenderer())
            MGlobal::displayWarning("another OpenGL library was loaded before the off-screen "
                                    "renderer: plug-ins calling OpenGL directly will draw nothing");
    }
    const size_t bytes = size_t(width) * size_t(height) * 4;
    if (width != width_ || height != height_ || pixels_.size() != bytes) {
        pixels_.assign(bytes, 0);
        width_ = width;
        height_ = height;
    }
    if (!OSMesaMakeCurrent(context_, pixels_.data(), GL_UNSIGNED_BYTE, width, height)) {
        error = "the off-screen OpenGL renderer refused a " + std::to_string(width) + " x " +
                std::to_string(height) + " buffer";
        current_ = false;
        return false;
    }
    current_ = true;
    return true;
}

void OffscreenGL::release() {
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    current_ = false;
}

bool OffscreenGL::globalSymbolsReachRenderer() {
    Dl_info info;
    void* begin = dlsym(RTLD_DEFAULT, "glBegin");
    if (!begin || !dladdr(begin, &info) || !info.dli_fname) return false;
    return std::strstr(info.dli_fname, "OSMesa") != nullptr;
}

} // namespace rvhost
