#include "view/OffscreenGL.h"

#include <GL/osmesa.h>
#include <dlfcn.h>

#include <cstring>

namespace rvhost {

OffscreenGL& OffscreenGL::instance() {
    static OffscreenGL gl;
    return gl;
}

OffscreenGL::~OffscreenGL() {
    if (context_) OSMesaDestroyContext(context_);
}

bool OffscreenGL::makeCurrent(int width, int height, std::string& error) {
    if (!context_) {
        // 24-bit depth, 8-bit stencil, no accumulation buffer, nothing shared.
        context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
        if (!context_) {
            error = "the off-screen OpenGL renderer could not create a context";
            return false;
        }
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
