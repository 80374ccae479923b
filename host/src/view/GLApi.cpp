#include "view/GLApi.h"

#include <GL/osmesa.h>

#include <cstdio>
#include <cstdlib>

namespace rvhost {

namespace {

template <class F> void load(F& slot, const char* name) {
    slot = reinterpret_cast<F>(OSMesaGetProcAddress(name));
    if (!slot) {
        // Every name is core OpenGL 1.5 or older; a renderer without one is not usable at all.
        std::fprintf(stderr, "// Error: the off-screen OpenGL renderer lacks %s\n", name);
        std::abort();
    }
}

GLApi loadAll() {
    GLApi api;
#define RVHOST_GL_LOAD(name) load(api.name, #name);
    RVHOST_GL_FUNCTIONS(RVHOST_GL_LOAD)
#undef RVHOST_GL_LOAD
#define RVHOST_GL_TYPED_LOAD(name, type) load(api.name, #name);
    RVHOST_GL_BUFFER_FUNCTIONS(RVHOST_GL_TYPED_LOAD)
#undef RVHOST_GL_TYPED_LOAD
    return api;
}

} // namespace

const GLApi& gl() {
    static const GLApi api = loadAll();
    return api;
}

} // namespace rvhost
