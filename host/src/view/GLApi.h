#pragma once
#include <GL/gl.h>

namespace rvhost {

// Every OpenGL entry point the host calls, fetched from the off-screen renderer itself.
// Calling through these pointers reaches the off-screen context even when another OpenGL
// library (the windowing toolkit's) was loaded first and owns the global gl* symbols.
// clang-format off
#define RVHOST_GL_FUNCTIONS(X)                                                                     \
    X(glBegin) X(glEnd) X(glVertex2d) X(glVertex2f) X(glVertex2i) X(glVertex2s) X(glVertex3d)      \
    X(glVertex3f) X(glVertex3dv) X(glVertex3fv) X(glNormal3d) X(glNormal3f) X(glColor3d)           \
    X(glColor3f) X(glColor3fv) X(glColor4d) X(glColor4f) X(glColor4fv) X(glLineWidth)              \
    X(glPointSize) X(glLineStipple) X(glEnable) X(glDisable) X(glIsEnabled) X(glBlendFunc)         \
    X(glDepthFunc) X(glDepthMask) X(glPolygonMode) X(glPolygonOffset) X(glShadeModel)              \
    X(glPushAttrib) X(glPopAttrib) X(glMatrixMode) X(glPushMatrix) X(glPopMatrix)                  \
    X(glLoadIdentity) X(glLoadMatrixd) X(glLoadMatrixf) X(glMultMatrixd) X(glMultMatrixf)          \
    X(glTranslated) X(glTranslatef) X(glScaled) X(glScalef) X(glRotated) X(glRotatef) X(glOrtho)   \
    X(glViewport) X(glClear) X(glClearColor) X(glGetBooleanv) X(glGetDoublev) X(glGetFloatv)       \
    X(glGetIntegerv) X(glGetError) X(glFlush) X(glFinish) X(glLightfv) X(glLightModelfv)           \
    X(glColorMaterial) X(glPushClientAttrib) X(glPopClientAttrib) X(glEnableClientState)          \
    X(glVertexPointer) X(glNormalPointer) X(glDrawElements) X(glReadPixels) X(glDrawPixels)         \
    X(glColorMask) X(glScissor)
// Buffer objects (OpenGL 1.5) and window positions (1.4), which gl.h declares only as
// pointer types.
#define RVHOST_GL_BUFFER_FUNCTIONS(X)                                                              \
    X(glGenBuffers, PFNGLGENBUFFERSPROC) X(glDeleteBuffers, PFNGLDELETEBUFFERSPROC)                \
    X(glBindBuffer, PFNGLBINDBUFFERPROC) X(glBufferData, PFNGLBUFFERDATAPROC)                      \
    X(glBufferSubData, PFNGLBUFFERSUBDATAPROC) X(glWindowPos2i, PFNGLWINDOWPOS2IPROC)
// clang-format on

struct GLApi {
#define RVHOST_GL_MEMBER(name) decltype(&::name) name = nullptr;
    RVHOST_GL_FUNCTIONS(RVHOST_GL_MEMBER)
#undef RVHOST_GL_MEMBER
#define RVHOST_GL_TYPED_MEMBER(name, type) type name = nullptr;
    RVHOST_GL_BUFFER_FUNCTIONS(RVHOST_GL_TYPED_MEMBER)
#undef RVHOST_GL_TYPED_MEMBER
};

// The table, loaded on first use. Calls are only meaningful while OffscreenGL has made its
// context current; without one they do nothing.
const GLApi& gl();

} // namespace rvhost
