#pragma once

#include <cstdint>

// The fixed-function OpenGL 1.1 entry points that shaded views use, as a table the core calls
// through without linking GL: the program fills it from libGL (platform/gl), tests with a
// recording table. The constants carry OpenGL's own values.
using GlEnum = std::uint32_t;

inline constexpr GlEnum kGlTriangles = 0x0004;
inline constexpr GlEnum kGlQuads = 0x0007;
inline constexpr GlEnum kGlPolygon = 0x0009;

inline constexpr GlEnum kGlNever = 0x0200;
inline constexpr GlEnum kGlGequal = 0x0206;

inline constexpr GlEnum kGlFront = 0x0404;

inline constexpr GlEnum kGlFlat = 0x1D00;
inline constexpr GlEnum kGlSmooth = 0x1D01;
inline constexpr GlEnum kGlDiffuse = 0x1201;

inline constexpr GlEnum kGlPointSmooth = 0x0B10;
inline constexpr GlEnum kGlLineSmooth = 0x0B20;
inline constexpr GlEnum kGlPolygonSmooth = 0x0B41;
inline constexpr GlEnum kGlLighting = 0x0B50;
inline constexpr GlEnum kGlDepthTest = 0x0B71;
inline constexpr GlEnum kGlNormalize = 0x0BA1;
inline constexpr GlEnum kGlScissorTest = 0x0C11;
inline constexpr GlEnum kGlAutoNormal = 0x0D80;
inline constexpr GlEnum kGlMap2Vertex3 = 0x0DB7;
inline constexpr GlEnum kGlLight0 = 0x4000;
inline constexpr GlEnum kGlVertexArray = 0x8074;
inline constexpr GlEnum kGlNormalArray = 0x8075;

inline constexpr GlEnum kGlModelview = 0x1700;
inline constexpr GlEnum kGlProjection = 0x1701;
inline constexpr GlEnum kGlModelviewMatrix = 0x0BA6;
inline constexpr GlEnum kGlProjectionMatrix = 0x0BA7;

inline constexpr std::uint32_t kGlDepthBufferBit = 0x0100;
inline constexpr std::uint32_t kGlColorBufferBit = 0x4000;

inline constexpr GlEnum kGlUnpackRowLength = 0x0CF2;
inline constexpr GlEnum kGlPackRowLength = 0x0D02;
inline constexpr GlEnum kGlPackAlignment = 0x0D05;

inline constexpr GlEnum kGlUnsignedByte = 0x1401;
inline constexpr GlEnum kGlUnsignedInt = 0x1405;
inline constexpr GlEnum kGlFloat = 0x1406;
inline constexpr GlEnum kGlDepthComponent = 0x1902;
inline constexpr GlEnum kGlBgr = 0x80E0;

// Why a frame could not be had, in the terms of the two messages the program shows for it.
enum class GlFrameStatus {
  kReady,
  kNoPixelFormat,  // no display or no config
  kNoContext,      // no context, not current, or an incomplete framebuffer
};

class GlCalls {
 public:
  virtual ~GlCalls() = default;

  // Makes a width x height frame current, in the state a freshly made context has.
  virtual GlFrameStatus BeginFrame(int width, int height) = 0;

  virtual void Enable(GlEnum capability) = 0;
  virtual void Disable(GlEnum capability) = 0;
  virtual void EnableClientState(GlEnum array) = 0;
  virtual void DepthFunc(GlEnum function) = 0;
  virtual void ClearDepth(double depth) = 0;
  virtual void ClearColor(float red, float green, float blue, float alpha) = 0;
  virtual void Clear(std::uint32_t mask) = 0;
  virtual void MatrixMode(GlEnum mode) = 0;
  virtual void LoadIdentity() = 0;
  virtual void Scaled(double x, double y, double z) = 0;
  virtual void LoadMatrixf(const float* matrix) = 0;
  virtual void MultMatrixf(const float* matrix) = 0;
  virtual void GetFloatv(GlEnum name, float* values) = 0;
  virtual void Materialfv(GlEnum face, GlEnum name, const float* values) = 0;
  virtual void ShadeModel(GlEnum mode) = 0;
  virtual void Begin(GlEnum mode) = 0;
  virtual void End() = 0;
  virtual void Vertex3fv(const float* vertex) = 0;
  virtual void Normal3fv(const float* normal) = 0;
  virtual void VertexPointer(int size, GlEnum type, int stride, const void* pointer) = 0;
  virtual void NormalPointer(GlEnum type, int stride, const void* pointer) = 0;
  virtual void DrawElements(GlEnum mode, int count, GlEnum type, const void* indices) = 0;
  virtual void DrawArrays(GlEnum mode, int first, int count) = 0;
  virtual void PixelZoom(float x, float y) = 0;
  virtual void PixelStorei(GlEnum name, int value) = 0;
  virtual void RasterPos3fv(const float* position) = 0;
  virtual void DrawPixels(int width, int height, GlEnum format, GlEnum type,
                          const void* pixels) = 0;
  virtual void Finish() = 0;
  virtual void Flush() = 0;
  virtual void ReadPixels(int x, int y, int width, int height, GlEnum format, GlEnum type,
                          void* pixels) = 0;
};
