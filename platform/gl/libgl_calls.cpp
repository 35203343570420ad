#include "platform/gl/libgl_calls.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/gl/gl_frame.h"

// The table's constants are OpenGL's own.
static_assert(kGlTriangles == GL_TRIANGLES && kGlQuads == GL_QUADS && kGlPolygon == GL_POLYGON);
static_assert(kGlNever == GL_NEVER && kGlGequal == GL_GEQUAL);
static_assert(kGlFront == GL_FRONT && kGlDiffuse == GL_DIFFUSE);
static_assert(kGlPointSmooth == GL_POINT_SMOOTH && kGlLineSmooth == GL_LINE_SMOOTH &&
              kGlPolygonSmooth == GL_POLYGON_SMOOTH);
static_assert(kGlLighting == GL_LIGHTING && kGlDepthTest == GL_DEPTH_TEST &&
              kGlNormalize == GL_NORMALIZE && kGlScissorTest == GL_SCISSOR_TEST);
static_assert(kGlAutoNormal == GL_AUTO_NORMAL && kGlMap2Vertex3 == GL_MAP2_VERTEX_3 &&
              kGlLight0 == GL_LIGHT0);
static_assert(kGlVertexArray == GL_VERTEX_ARRAY && kGlNormalArray == GL_NORMAL_ARRAY);
static_assert(kGlModelview == GL_MODELVIEW && kGlProjection == GL_PROJECTION &&
              kGlModelviewMatrix == GL_MODELVIEW_MATRIX && kGlProjectionMatrix == GL_PROJECTION_MATRIX);
static_assert(kGlDepthBufferBit == GL_DEPTH_BUFFER_BIT && kGlColorBufferBit == GL_COLOR_BUFFER_BIT);
static_assert(kGlUnpackRowLength == GL_UNPACK_ROW_LENGTH && kGlPackRowLength == GL_PACK_ROW_LENGTH &&
              kGlPackAlignment == GL_PACK_ALIGNMENT);
static_assert(kGlUnsignedByte == GL_UNSIGNED_BYTE && kGlUnsignedInt == GL_UNSIGNED_INT &&
              kGlFloat == GL_FLOAT && kGlDepthComponent == GL_DEPTH_COMPONENT && kGlBgr == GL_BGR);

GlFrameStatus LibGlCalls::BeginFrame(int width, int height) {
  return GlFrame::Instance().Begin(width, height);
}

void LibGlCalls::Enable(GlEnum capability) { glEnable(capability); }
void LibGlCalls::Disable(GlEnum capability) { glDisable(capability); }
void LibGlCalls::EnableClientState(GlEnum array) { glEnableClientState(array); }
void LibGlCalls::DepthFunc(GlEnum function) { glDepthFunc(function); }
void LibGlCalls::ClearDepth(double depth) { glClearDepth(depth); }
void LibGlCalls::ClearColor(float red, float green, float blue, float alpha) {
  glClearColor(red, green, blue, alpha);
}
void LibGlCalls::Clear(std::uint32_t mask) { glClear(mask); }
void LibGlCalls::MatrixMode(GlEnum mode) { glMatrixMode(mode); }
void LibGlCalls::LoadIdentity() { glLoadIdentity(); }
void LibGlCalls::Scaled(double x, double y, double z) { glScaled(x, y, z); }
void LibGlCalls::LoadMatrixf(const float* matrix) { glLoadMatrixf(matrix); }
void LibGlCalls::MultMatrixf(const float* matrix) { glMultMatrixf(matrix); }
void LibGlCalls::GetFloatv(GlEnum name, float* values) { glGetFloatv(name, values); }
void LibGlCalls::Materialfv(GlEnum face, GlEnum name, const float* values) {
  glMaterialfv(face, name, values);
}
void LibGlCalls::ShadeModel(GlEnum mode) { glShadeModel(mode); }
void LibGlCalls::Begin(GlEnum mode) { glBegin(mode); }
void LibGlCalls::End() { glEnd(); }
void LibGlCalls::Vertex3fv(const float* vertex) { glVertex3fv(vertex); }
void LibGlCalls::Normal3fv(const float* normal) { glNormal3fv(normal); }
void LibGlCalls::VertexPointer(int size, GlEnum type, int stride, const void* pointer) {
  glVertexPointer(size, type, stride, pointer);
}
void LibGlCalls::NormalPointer(GlEnum type, int stride, const void* pointer) {
  glNormalPointer(type, stride, pointer);
}
void LibGlCalls::DrawElements(GlEnum mode, int count, GlEnum type, const void* indices) {
  glDrawElements(mode, count, type, indices);
}
void LibGlCalls::DrawArrays(GlEnum mode, int first, int count) { glDrawArrays(mode, first, count); }
void LibGlCalls::PixelZoom(float x, float y) { glPixelZoom(x, y); }
void LibGlCalls::PixelStorei(GlEnum name, int value) { glPixelStorei(name, value); }
void LibGlCalls::RasterPos3fv(const float* position) { glRasterPos3fv(position); }
void LibGlCalls::DrawPixels(int width, int height, GlEnum format, GlEnum type, const void* pixels) {
  glDrawPixels(width, height, format, type, pixels);
}
void LibGlCalls::Finish() { glFinish(); }
void LibGlCalls::Flush() { glFlush(); }
void LibGlCalls::ReadPixels(int x, int y, int width, int height, GlEnum format, GlEnum type,
                            void* pixels) {
  glReadPixels(x, y, width, height, format, type, pixels);
}
