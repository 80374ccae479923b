#pragma once
#include <maya/MGLdefinitions.h>
#include <maya/MTypes.h>

// The host's OpenGL entry points, reached through MHardwareRenderer::glFunctionTable(). Each
// call goes to the OpenGL context the host is drawing the view into.
class OPENMAYA_EXPORT MGLFunctionTable {
public:
    void glBegin(MGLenum mode);
    void glEnd();
    void glVertex2d(MGLdouble x, MGLdouble y);
    void glVertex2f(MGLfloat x, MGLfloat y);
    void glVertex2i(MGLint x, MGLint y);
    void glVertex2s(MGLshort x, MGLshort y);
    void glVertex3d(MGLdouble x, MGLdouble y, MGLdouble z);
    void glVertex3f(MGLfloat x, MGLfloat y, MGLfloat z);
    void glVertex3dv(const MGLdouble* v);
    void glVertex3fv(const MGLfloat* v);
    void glNormal3d(MGLdouble x, MGLdouble y, MGLdouble z);
    void glNormal3f(MGLfloat x, MGLfloat y, MGLfloat z);
    void glColor3d(MGLdouble r, MGLdouble g, MGLdouble b);
    void glColor3f(MGLfloat r, MGLfloat g, MGLfloat b);
    void glColor3fv(const MGLfloat* v);
    void glColor4d(MGLdouble r, MGLdouble g, MGLdouble b, MGLdouble a);
    void glColor4f(MGLfloat r, MGLfloat g, MGLfloat b, MGLfloat a);
    void glColor4fv(const MGLfloat* v);

    void glLineWidth(MGLfloat width);
    void glPointSize(MGLfloat size);
    void glLineStipple(MGLint factor, MGLushort pattern);
    void glEnable(MGLenum cap);
    void glDisable(MGLenum cap);
    MGLboolean glIsEnabled(MGLenum cap);
    void glBlendFunc(MGLenum sfactor, MGLenum dfactor);
    void glDepthFunc(MGLenum func);
    void glDepthMask(MGLboolean flag);
    void glPolygonMode(MGLenum face, MGLenum mode);
    void glPolygonOffset(MGLfloat factor, MGLfloat units);
    void glShadeModel(MGLenum mode);

    void glPushAttrib(MGLbitfield mask);
    void glPopAttrib();
    void glMatrixMode(MGLenum mode);
    void glPushMatrix();
    void glPopMatrix();
    void glLoadIdentity();
    void glLoadMatrixd(const MGLdouble* m);
    void glLoadMatrixf(const MGLfloat* m);
    void glMultMatrixd(const MGLdouble* m);
    void glMultMatrixf(const MGLfloat* m);
    void glTranslated(MGLdouble x, MGLdouble y, MGLdouble z);
    void glTranslatef(MGLfloat x, MGLfloat y, MGLfloat z);
    void glScaled(MGLdouble x, MGLdouble y, MGLdouble z);
    void glScalef(MGLfloat x, MGLfloat y, MGLfloat z);
    void glRotated(MGLdouble angle, MGLdouble x, MGLdouble y, MGLdouble z);
    void glRotatef(MGLfloat angle, MGLfloat x, MGLfloat y, MGLfloat z);
    void glOrtho(MGLdouble left, MGLdouble right, MGLdouble bottom, MGLdouble top, MGLdouble zNear,
                 MGLdouble zFar);
    void glViewport(MGLint x, MGLint y, MGLsizei width, MGLsizei height);

    void glClear(MGLbitfield mask);
    void glClearColor(MGLclampf r, MGLclampf g, MGLclampf b, MGLclampf a);
    void glGetBooleanv(MGLenum pname, MGLboolean* params);
    void glGetDoublev(MGLenum pname, MGLdouble* params);
    void glGetFloatv(MGLenum pname, MGLfloat* params);
    void glGetIntegerv(MGLenum pname, MGLint* params);
    MGLenum glGetError();
    void glFlush();
    void glFinish();
};
