#pragma once
// OpenGL types and constants under the API's own names, so plug-ins draw through
// MGLFunctionTable without including the system's OpenGL headers.

typedef unsigned int MGLenum;
typedef unsigned char MGLboolean;
typedef unsigned int MGLbitfield;
typedef signed char MGLbyte;
typedef short MGLshort;
typedef int MGLint;
typedef int MGLsizei;
typedef unsigned char MGLubyte;
typedef unsigned short MGLushort;
typedef unsigned int MGLuint;
typedef float MGLfloat;
typedef float MGLclampf;
typedef double MGLdouble;
typedef double MGLclampd;
typedef void MGLvoid;

#define MGL_FALSE 0
#define MGL_TRUE 1

// Primitives
#define MGL_POINTS 0x0000
#define MGL_LINES 0x0001
#define MGL_LINE_LOOP 0x0002
#define MGL_LINE_STRIP 0x0003
#define MGL_TRIANGLES 0x0004
#define MGL_TRIANGLE_STRIP 0x0005
#define MGL_TRIANGLE_FAN 0x0006
#define MGL_QUADS 0x0007
#define MGL_QUAD_STRIP 0x0008
#define MGL_POLYGON 0x0009

// Matrix modes
#define MGL_MODELVIEW 0x1700
#define MGL_PROJECTION 0x1701
#define MGL_TEXTURE 0x1702

// Capabilities and state queries
#define MGL_POINT_SMOOTH 0x0B10
#define MGL_POINT_SIZE 0x0B11
#define MGL_LINE_SMOOTH 0x0B20
#define MGL_LINE_WIDTH 0x0B21
#define MGL_LINE_STIPPLE 0x0B24
#define MGL_CULL_FACE 0x0B44
#define MGL_LIGHTING 0x0B50
#define MGL_COLOR_MATERIAL 0x0B57
#define MGL_DEPTH_TEST 0x0B71
#define MGL_DEPTH_WRITEMASK 0x0B72
#define MGL_DEPTH_FUNC 0x0B74
#define MGL_MATRIX_MODE 0x0BA0
#define MGL_NORMALIZE 0x0BA1
#define MGL_VIEWPORT 0x0BA2
#define MGL_MODELVIEW_MATRIX 0x0BA6
#define MGL_PROJECTION_MATRIX 0x0BA7
#define MGL_BLEND 0x0BE2
#define MGL_CURRENT_COLOR 0x0B00
#define MGL_POLYGON_OFFSET_FILL 0x8037
#define MGL_POLYGON_OFFSET_LINE 0x2A02
#define MGL_POLYGON_OFFSET_POINT 0x2A01

// Blending factors
#define MGL_ZERO 0
#define MGL_ONE 1
#define MGL_SRC_COLOR 0x0300
#define MGL_ONE_MINUS_SRC_COLOR 0x0301
#define MGL_SRC_ALPHA 0x0302
#define MGL_ONE_MINUS_SRC_ALPHA 0x0303
#define MGL_DST_ALPHA 0x0304
#define MGL_ONE_MINUS_DST_ALPHA 0x0305

// Depth functions
#define MGL_NEVER 0x0200
#define MGL_LESS 0x0201
#define MGL_EQUAL 0x0202
#define MGL_LEQUAL 0x0203
#define MGL_GREATER 0x0204
#define MGL_NOTEQUAL 0x0205
#define MGL_GEQUAL 0x0206
#define MGL_ALWAYS 0x0207

// Polygon modes
#define MGL_FRONT 0x0404
#define MGL_BACK 0x0405
#define MGL_FRONT_AND_BACK 0x0408
#define MGL_POINT 0x1B00
#define MGL_LINE 0x1B01
#define MGL_FILL 0x1B02

// Shading
#define MGL_FLAT 0x1D00
#define MGL_SMOOTH 0x1D01

// Attribute and buffer bits
#define MGL_CURRENT_BIT 0x00000001
#define MGL_POINT_BIT 0x00000002
#define MGL_LINE_BIT 0x00000004
#define MGL_POLYGON_BIT 0x00000008
#define MGL_LIGHTING_BIT 0x00000040
#define MGL_DEPTH_BUFFER_BIT 0x00000100
#define MGL_COLOR_BUFFER_BIT 0x00004000
#define MGL_TRANSFORM_BIT 0x00001000
#define MGL_ENABLE_BIT 0x00002000
#define MGL_VIEWPORT_BIT 0x00000800
#define MGL_ALL_ATTRIB_BITS 0x000FFFFF

// Errors
#define MGL_NO_ERROR 0
