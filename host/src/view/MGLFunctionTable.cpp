#include <maya/MGLFunctionTable.h>

#include "view/GLApi.h"

// Each entry forwards to the off-screen renderer's own function (see GLApi.h).

void MGLFunctionTable::glBegin(MGLenum mode) {
    rvhost::gl().glBegin(mode);
}
void MGLFunctionTable::glEnd() {
    rvhost::gl().glEnd();
}
void MGLFunctionTable::glVertex2d(MGLdouble x, MGLdouble y) {
    rvhost::gl().glVertex2d(x, y);
}
void MGLFunctionTable::glVertex2f(MGLfloat x, MGLfloat y) {
    rvhost::gl().glVertex2f(x, y);
}
void MGLFunctionTable::glVertex2i(MGLint x, MGLint y) {
    rvhost::gl().glVertex2i(x, y);
}
void MGLFunctionTable::glVertex2s(MGLshort x, MGLshort y) {
    rvhost::gl().glVertex2s(x, y);
}
void MGLFunctionTable::glVertex3d(MGLdouble x, MGLdouble y, MGLdouble z) {
    rvhost::gl().glVertex3d(x, y, z);
}
void MGLFunctionTable::glVertex3f(MGLfloat x, MGLfloat y, MGLfloat z) {
    rvhost::gl().glVertex3f(x, y, z);
}
void MGLFunctionTable::glVertex3dv(const MGLdouble* v) {
    rvhost::gl().glVertex3dv(v);
}
void MGLFunctionTable::glVertex3fv(const MGLfloat* v) {
    rvhost::gl().glVertex3fv(v);
}
void MGLFunctionTable::glNormal3d(MGLdouble x, MGLdouble y, MGLdouble z) {
    rvhost::gl().glNormal3d(x, y, z);
}
void MGLFunctionTable::glNormal3f(MGLfloat x, MGLfloat y, MGLfloat z) {
    rvhost::gl().glNormal3f(x, y, z);
}
void MGLFunctionTable::glColor3d(MGLdouble r, MGLdouble g, MGLdouble b) {
    rvhost::gl().glColor3d(r, g, b);
}
void MGLFunctionTable::glColor3f(MGLfloat r, MGLfloat g, MGLfloat b) {
    rvhost::gl().glColor3f(r, g, b);
}
void MGLFunctionTable::glColor3fv(const MGLfloat* v) {
    rvhost::gl().glColor3fv(v);
}
void MGLFunctionTable::glColor4d(MGLdouble r, MGLdouble g, MGLdouble b, MGLdouble a) {
    rvhost::gl().glColor4d(r, g, b, a);
}
void MGLFunctionTable::glColor4f(MGLfloat r, MGLfloat g, MGLfloat b, MGLfloat a) {
    rvhost::gl().glColor4f(r, g, b, a);
}
void MGLFunctionTable::glColor4fv(const MGLfloat* v) {
    rvhost::gl().glColor4fv(v);
}

void MGLFunctionTable::glLineWidth(MGLfloat width) {
    rvhost::gl().glLineWidth(width);
}
void MGLFunctionTable::glPointSize(MGLfloat size) {
    rvhost::gl().glPointSize(size);
}
void MGLFunctionTable::glLineStipple(MGLint factor, MGLushort pattern) {
    rvhost::gl().glLineStipple(factor, pattern);
}
void MGLFunctionTable::glEnable(MGLenum cap) {
    rvhost::gl().glEnable(cap);
}
void MGLFunctionTable::glDisable(MGLenum cap) {
    rvhost::gl().glDisable(cap);
}
MGLboolean MGLFunctionTable::glIsEnabled(MGLenum cap) {
    return rvhost::gl().glIsEnabled(cap);
}
void MGLFunctionTable::glBlendFunc(MGLenum sfactor, MGLenum dfactor) {
    rvhost::gl().glBlendFunc(sfactor, dfactor);
}
void MGLFunctionTable::glDepthFunc(MGLenum func) {
    rvhost::gl().glDepthFunc(func);
}
void MGLFunctionTable::glDepthMask(MGLboolean flag) {
    rvhost::gl().glDepthMask(flag);
}
void MGLFunctionTable::glPolygonMode(MGLenum face, MGLenum mode) {
    rvhost::gl().glPolygonMode(face, mode);
}
void MGLFunctionTable::glPolygonOffset(MGLfloat factor, MGLfloat units) {
    rvhost::gl().glPolygonOffset(factor, units);
}
void MGLFunctionTable::glShadeModel(MGLenum mode) {
    rvhost::gl().glShadeModel(mode);
}

void MGLFunctionTable::glPushAttrib(MGLbitfield mask) {
    rvhost::gl().glPushAttrib(mask);
}
void MGLFunctionTable::glPopAttrib() {
    rvhost::gl().glPopAttrib();
}
void MGLFunctionTable::glMatrixMode(MGLenum mode) {
    rvhost::gl().glMatrixMode(mode);
}
void MGLFunctionTable::glPushMatrix() {
    rvhost::gl().glPushMatrix();
}
void MGLFunctionTable::glPopMatrix() {
    rvhost::gl().glPopMatrix();
}
void MGLFunctionTable::glLoadIdentity() {
    rvhost::gl().glLoadIdentity();
}
void MGLFunctionTable::glLoadMatrixd(const MGLdouble* m) {
    rvhost::gl().glLoadMatrixd(m);
}
void MGLFunctionTable::glLoadMatrixf(const MGLfloat* m) {
    rvhost::gl().glLoadMatrixf(m);
}
void MGLFunctionTable::glMultMatrixd(const MGLdouble* m) {
    rvhost::gl().glMultMatrixd(m);
}
void MGLFunctionTable::glMultMatrixf(const MGLfloat* m) {
    rvhost::gl().glMultMatrixf(m);
}
void MGLFunctionTable::glTranslated(MGLdouble x, MGLdouble y, MGLdouble z) {
    rvhost::gl().glTranslated(x, y, z);
}
void MGLFunctionTable::glTranslatef(MGLfloat x, MGLfloat y, MGLfloat z) {
    rvhost::gl().glTranslatef(x, y, z);
}
void MGLFunctionTable::glScaled(MGLdouble x, MGLdouble y, MGLdouble z) {
    rvhost::gl().glScaled(x, y, z);
}
void MGLFunctionTable::glScalef(MGLfloat x, MGLfloat y, MGLfloat z) {
    rvhost::gl().glScalef(x, y, z);
}
void MGLFunctionTable::glRotated(MGLdouble angle, MGLdouble x, MGLdouble y, MGLdouble z) {
    rvhost::gl().glRotated(angle, x, y, z);
}
void MGLFunctionTable::glRotatef(MGLfloat angle, MGLfloat x, MGLfloat y, MGLfloat z) {
    rvhost::gl().glRotatef(angle, x, y, z);
}
void MGLFunctionTable::glOrtho(MGLdouble left, MGLdouble right, MGLdouble bottom, MGLdouble top,
                               MGLdouble zNear, MGLdouble zFar) {
    rvhost::gl().glOrtho(left, right, bottom, top, zNear, zFar);
}
void MGLFunctionTable::glViewport(MGLint x, MGLint y, MGLsizei width, MGLsizei height) {
    rvhost::gl().glViewport(x, y, width, height);
}

void MGLFunctionTable::glClear(MGLbitfield mask) {
    rvhost::gl().glClear(mask);
}
void MGLFunctionTable::glClearColor(MGLclampf r, MGLclampf g, MGLclampf b, MGLclampf a) {
    rvhost::gl().glClearColor(r, g, b, a);
}
void MGLFunctionTable::glGetBooleanv(MGLenum pname, MGLboolean* params) {
    rvhost::gl().glGetBooleanv(pname, params);
}
void MGLFunctionTable::glGetDoublev(MGLenum pname, MGLdouble* params) {
    rvhost::gl().glGetDoublev(pname, params);
}
void MGLFunctionTable::glGetFloatv(MGLenum pname, MGLfloat* params) {
    rvhost::gl().glGetFloatv(pname, params);
}
void MGLFunctionTable::glGetIntegerv(MGLenum pname, MGLint* params) {
    rvhost::gl().glGetIntegerv(pname, params);
}
MGLenum MGLFunctionTable::glGetError() {
    return rvhost::gl().glGetError();
}
void MGLFunctionTable::glFlush() {
    rvhost::gl().glFlush();
}
void MGLFunctionTable::glFinish() {
    rvhost::gl().glFinish();
}
