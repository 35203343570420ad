#include "platform/gl/gl_frame.h"

#define EGL_EGLEXT_PROTOTYPES
#include <EGL/egl.h>
#include <EGL/eglext.h>
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <malloc.h>

namespace {

// Framebuffer objects are past OpenGL 1.1, so their entry points come through EGL.
struct FramebufferCalls {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

  bool Load() {
    const auto load = [](auto* slot, const char* name) {
      *slot = reinterpret_cast<std::remove_pointer_t<decltype(slot)>>(eglGetProcAddress(name));
      return *slot != nullptr;
    };
    return load(&genFramebuffers, "glGenFramebuffers") && load(&bindFramebuffer, "glBindFramebuffer") &&
           load(&genRenderbuffers, "glGenRenderbuffers") && load(&bindRenderbuffer, "glBindRenderbuffer") &&
           load(&renderbufferStorage, "glRenderbufferStorage") &&
           load(&framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           load(&checkFramebufferStatus, "glCheckFramebufferStatus");
  }
};

FramebufferCalls fbo;

// Mesa's software rasteriser takes and gives back buffers of megabytes in every draw call. Under
// glibc's adaptive policy each give-back could return the free top of the heap to the system, to
// be faulted in again by the next draw, whenever the drawing arrays had been allocated one after
// the other at the top of the heap (as a first frame deriving them all before it draws does): the
// frame then cost twice its draw calls. A fixed policy keeps up to 256 MB of free heap and serves
// blocks below 32 MB from it, so that what a frame costs does not depend on where its arrays lie.
void KeepHeapForDrawCalls() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

// OpenGL's initial values of the state that frames change, short of what the frame itself sets
// before it draws (enables, depth function, clear values).
void ResetFrameState() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat dim[] = {0.2f, 0.2f, 0.2f, 1.0f};
  const GLfloat grey[] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat towardViewer[] = {0.0f, 0.0f, 1.0f, 0.0f};
  const GLfloat downZ[] = {0.0f, 0.0f, -1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, black);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, white);
  glLightfv(GL_LIGHT0, GL_POSITION, towardViewer);  // under the identity modelview just loaded
  glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, downZ);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 0.0f);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180.0f);
  glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1.0f);
  glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.0f);
  glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.0f);

  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dim);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SINGLE_COLOR);

  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, dim);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, grey);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);

  glNormal3f(0.0f, 0.0f, 1.0f);
  glPixelZoom(1.0f, 1.0f);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

}  // namespace

GlFrame& GlFrame::Instance() {
  static GlFrame frame;
  return frame;
}

GlFrame::Status GlFrame::Open() {
  opened_ = true;
  const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay display = getPlatformDisplay != nullptr
                           ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                           : EGL_NO_DISPLAY;
  EGLint major = 0, minor = 0;
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
    lastError_ = "no surfaceless EGL display";
    return Status::kNoPixelFormat;
  }
  display_ = display;
  if (!eglBindAPI(EGL_OPENGL_API)) {
    lastError_ = "EGL has no desktop OpenGL";
    return Status::kNoPixelFormat;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configs = 0;
  // Surfaceless contexts need no surface type; retry without one for drivers that offer none.
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs == 0) {
    const EGLint anyConfig[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    if (!eglChooseConfig(display, anyConfig, &config, 1, &configs) || configs == 0) {
      lastError_ = "no EGL config for desktop OpenGL";
      return Status::kNoPixelFormat;
    }
  }
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) {
    lastError_ = "no compatibility-profile context";
    return Status::kNoContext;
  }
  context_ = context;
  if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) || !fbo.Load()) {
    lastError_ = "context cannot be made current without a surface";
    return Status::kNoContext;
  }
  fbo.genFramebuffers(1, &framebuffer_);
  fbo.genRenderbuffers(1, &colourBuffer_);
  fbo.genRenderbuffers(1, &depthBuffer_);
  KeepHeapForDrawCalls();
  return Status::kReady;
}

GlFrame::Status GlFrame::Resize(int width, int height) {
  fbo.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  if (width == width_ && height == height_) return Status::kReady;
  fbo.bindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
  fbo.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer_);
  fbo.bindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
  fbo.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
  fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
  if (fbo.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    width_ = height_ = 0;
    lastError_ = "framebuffer incomplete";
    return Status::kNoContext;
  }
  width_ = width;
  height_ = height;
  return Status::kReady;
}

GlFrame::Status GlFrame::Begin(int width, int height) {
  if (!opened_) openStatus_ = Open();
  if (openStatus_ != Status::kReady) return openStatus_;
  if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) return Status::kNoContext;
  const Status status = Resize(width, height);
  if (status != Status::kReady) return status;
  // A kept context does not reset its viewport when the framebuffer changes size.
  glViewport(0, 0, width, height);
  ResetFrameState();
  return Status::kReady;
}

void GlFrame::ReleaseContext() {
  if (context_ == nullptr) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, context_);
  context_ = nullptr;
  framebuffer_ = colourBuffer_ = depthBuffer_ = 0;
  width_ = height_ = 0;
  opened_ = false;
}

void GlFrame::ReadColour(std::uint8_t* rows) const {
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, width_, height_, GL_BGR, GL_UNSIGNED_BYTE, rows);
}

void GlFrame::ReadDepth(float* values) const {
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, width_, height_, GL_DEPTH_COMPONENT, GL_FLOAT, values);
}
