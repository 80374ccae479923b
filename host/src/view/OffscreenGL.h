#pragma once
#include <string>
#include <vector>

struct osmesa_context;

namespace rvhost {

// The view's OpenGL context: Mesa's off-screen renderer with a compatibility profile
// drawing into memory. Made on first use and kept for the life of the process.
class OffscreenGL {
public:
    static OffscreenGL& instance();
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    // Makes the context current on a colour buffer of the given size (RGBA, 8 bits a
    // channel). False, with `error` set, when the renderer cannot give a context.
    bool makeCurrent(int width, int height, std::string& error);
    // Leaves no context current: OpenGL calls made meanwhile change nothing.
    void release();
    bool isCurrent() const { return current_; }

    int width() const { return width_; }
    int height() const { return height_; }
    // The colour buffer, bottom row first (the port's origin is its bottom-left pixel).
    const std::vector<unsigned char>& pixels() const { return pixels_; }

    // Whether a plug-in's own calls to gl* functions (resolved by the dynamic linker, not
    // through the host's table) reach this renderer.
    static bool globalSymbolsReachRenderer();

private:
    OffscreenGL() = default;

    osmesa_context* context_ = nullptr;
    std::vector<unsigned char> pixels_;
    int width_ = 0;
    int height_ = 0;
    bool current_ = false;
};

} // namespace rvhost
