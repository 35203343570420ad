#include "scene/gl_view_frame.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/command_queue.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/frame_shading_arrays.h"
#include "scene/gl_shading.h"
#include "scene/gl_table.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/view_background.h"
#include "scene/viewport.h"
#include "services/app_settings.h"
#include "services/layer_table.h"
#include "services/ui_utilities.h"

namespace {

// Set once OpenGL has failed: the failure is reported once and frames go without GL after it.
bool glUnavailable = false;

void ReportGlFailure(GlFrameStatus status) {
  if (glUnavailable) return;
  glUnavailable = true;
  const std::string text =
      status == GlFrameStatus::kNoPixelFormat ? "ChoosePixelFormat failed" : "SetPixelFormat failed";
  // Never from inside a frame or a paint: the main loop shows it once the frame is done.
  ProgramCommandQueue().PostCall([text] { ShowMessageBox(text, "Error", kMessageOk); });
}

// A frame without OpenGL: the pane in the background colour, nothing drawn into the depths.
void DrawFrameWithoutGl(const CViewport& viewport, DepthRaster* raster) {
  GetDrawingView()->DrawingCanvas().FillSolidRect(0, 0, viewport.width, viewport.height, ColorBack);
  if (raster != nullptr) std::fill(raster->data.begin(), raster->data.end(), raster->emptyDepth);
}

// One context is kept for the run: a new one per frame would cost several times the frame. So
// every frame starts from a fresh context's state (the table's BeginFrame sees to that) and sets
// the same fixed state; the larger depth is in front.
GlFrameStatus CreateGLContext(GlCalls& gl, int width, int height) {
  const GlFrameStatus status = gl.BeginFrame(width, height);
  if (status != GlFrameStatus::kReady) return status;
  gl.Enable(kGlLight0);
  gl.Enable(kGlLighting);
  gl.Enable(kGlDepthTest);
  gl.DepthFunc(kGlGequal);
  gl.ClearDepth(0.0);
  gl.Enable(kGlMap2Vertex3);
  gl.Enable(kGlAutoNormal);
  gl.Enable(kGlNormalize);
  gl.EnableClientState(kGlVertexArray);
  gl.EnableClientState(kGlNormalArray);
  gl.Disable(kGlLineSmooth);
  gl.Disable(kGlPointSmooth);
  gl.Disable(kGlPolygonSmooth);
  gl.Disable(kGlScissorTest);
  return GlFrameStatus::kReady;
}

void SetDiffuse(GlCalls& gl, std::uint32_t color) {
  const float rgba[4] = {static_cast<float>(color & 0xFF) / 255.0f,
                         static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                         static_cast<float>((color >> 16) & 0xFF) / 255.0f, 1.0f};
  gl.Materialfv(kGlFront, kGlDiffuse, rgba);
}

// The scene objects a shaded frame draws, in order. Curves and axis lines are drawn as wire
// frames over the picture afterwards.
std::vector<const CGeomObject*> ShadedSceneObjects() {
  std::vector<const CGeomObject*> shaded;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, 0)) {
    const int kind = object->GetKind();
    if (!IsShownOrSelected(*object) || kind == kKindCurve || kind == kKindAxisLine ||
        IsLayerVisible(object->layer) == 0 || IsObjectInView(object) == 0) {
      continue;
    }
    shaded.push_back(object);
  }
  return shaded;
}

void ShadeSceneObjects(GlCalls& gl, const std::vector<const CGeomObject*>& shaded) {
  for (const CGeomObject* object : shaded) {
    SetDiffuse(gl, object->ObjectState == kStateSelected ? ColorPick : LayerColors[object->layer]);
    RenderObjectGL(object);
  }
}

void ShadeToolPreview(GlCalls& gl) {
  const Matrix4 saved = GetModelMatrix();
  gl.MultMatrixf(ToolPreviewMatrix.m);
  SetDiffuse(gl, ColorPick);
  for (const CGeomObject* object = ToolPreviewList; object != nullptr; object = object->next) {
    RenderObjectGL(object);
  }
  gl.LoadMatrixf(saved.m);
}

// Every array the frame draws is derived before it draws any, the objects' side by side.
void PrepareFrameArrays(std::vector<const CGeomObject*> objects) {
  for (const CGeomObject* object = ToolPreviewList; object != nullptr; object = object->next) {
    objects.push_back(object);
  }
  PrepareShadingArrays(objects);
}

// GL's rows run bottom-up like the canvas's, so the colour goes over as it is read.
void ReadColourBack(GlCalls& gl, int width, int height) {
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(DibRowBytes(width)) *
                                 static_cast<std::size_t>(height));
  gl.PixelStorei(kGlPackAlignment, 4);
  gl.ReadPixels(0, 0, width, height, kGlBgr, kGlUnsignedByte, rows.data());
  BlitDib(0, 0, width, height, rows);
}

// Screen depths in the units the model-to-screen matrix gives, row 0 at the top; where nothing
// was drawn the cleared depth 0 becomes -k, the raster's empty depth.
void ReadDepthBack(GlCalls& gl, DepthRaster& raster, float f) {
  gl.ReadPixels(0, 0, raster.width, raster.height, kGlDepthComponent, kGlFloat, raster.data.data());
  float projection[16] = {};
  gl.GetFloatv(kGlProjectionMatrix, projection);
  const float k = static_cast<float>(raster.height - 1) * f * 0.5f / projection[10];
  ConvertDepthRows(raster.data.data(), raster.width, raster.height, k);
  raster.emptyDepth = -k;
}

bool MatchesPane(const DepthRaster* raster, const CViewport& viewport) {
  return raster != nullptr && raster->width == viewport.width && raster->height == viewport.height;
}

}  // namespace

void RenderFrameGL() {
  const CViewport& viewport = *GetActiveView();
  const int width = viewport.width;
  const int height = viewport.height;
  DepthRaster* raster = DrawingViewDepthRaster();
  const float f = viewport.zoomScale / viewport.viewExtent;
  GlCalls* gl = InstalledGlCalls();
  if (!(f > 0.0f && std::isfinite(f)) || glUnavailable) {
    DrawFrameWithoutGl(viewport, raster);
    return;
  }
  const GlFrameStatus status =
      gl != nullptr ? CreateGLContext(*gl, width, height) : GlFrameStatus::kNoPixelFormat;
  if (status != GlFrameStatus::kReady) {
    ReportGlFailure(status);
    DrawFrameWithoutGl(viewport, raster);
    return;
  }

  gl->MatrixMode(kGlProjection);
  gl->LoadIdentity();
  gl->Scaled(static_cast<double>(f * static_cast<float>(height) / static_cast<float>(width)), f,
             0.02 * f);
  gl->MatrixMode(kGlModelview);
  gl->LoadMatrixf(viewport.viewMatrix.m);
  GlInverseViewMatrix = MatInverse(viewport.viewMatrix);

  gl->ClearColor(static_cast<float>(ColorBack & 0xFF) / 255.0f,
                 static_cast<float>((ColorBack >> 8) & 0xFF) / 255.0f,
                 static_cast<float>((ColorBack >> 16) & 0xFF) / 255.0f, 1.0f);
  gl->Clear(kGlColorBufferBit | kGlDepthBufferBit);
  if (HasBackgroundImage() != 0) {
    GlFrameFlag = 1;
    DrawViewBackground();
    GlFrameFlag = 0;
  }
  const std::vector<const CGeomObject*> shaded = ShadedSceneObjects();
  PrepareFrameArrays(shaded);
  ShadeSceneObjects(*gl, shaded);
  if (ToolPreviewList != nullptr) ShadeToolPreview(*gl);
  gl->Finish();
  gl->Flush();
  ReadColourBack(*gl, width, height);
  // A preview's depths would snap the placing tool onto its own preview.
  if (ToolPreviewList == nullptr && MatchesPane(raster, viewport)) ReadDepthBack(*gl, *raster, f);
}

void DrawImagePixels(int destX, int destY, int destWidth, int destHeight, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight, int imageWidth,
                     int imageHeight, std::span<const std::uint8_t> rows) {
  if (GlFrameFlag == 0) {
    StretchDib(destX, destY, destWidth, destHeight, sourceX, sourceY, sourceWidth, sourceHeight,
               imageWidth, imageHeight, rows);
    return;
  }
  GlCalls* gl = InstalledGlCalls();
  const CViewport* viewport = GetActiveView();
  const std::int64_t rowBytes = DibRowBytes(imageWidth);
  if (gl == nullptr || viewport == nullptr || destWidth <= 0 || destHeight <= 0 ||
      sourceWidth <= 0 || sourceHeight <= 0 || sourceX < 0 || sourceY < 0 ||
      sourceX > imageWidth - sourceWidth || sourceY > imageHeight - sourceHeight ||
      static_cast<std::int64_t>(rows.size()) < rowBytes * imageHeight) {
    return;
  }
  gl->Disable(kGlDepthTest);
  gl->DepthFunc(kGlNever);
  if (destWidth != sourceWidth || destHeight != sourceHeight) {
    gl->PixelZoom(static_cast<float>(destWidth) / static_cast<float>(sourceWidth),
                  static_cast<float>(destHeight) / static_cast<float>(sourceHeight));
  }
  if (sourceWidth < imageWidth) {
    gl->PixelStorei(kGlUnpackRowLength, imageWidth);
    gl->PixelStorei(kGlPackRowLength, imageWidth);
  }
  // The picture's bottom-left corner goes to the bottom-left corner of the destination's
  // bottom-left pixel, in GL's window coordinates (y upward), nudged a 256th of a pixel inward
  // so that the raster position stays inside the frame at its edges. GL's projection spreads the
  // view over the pane's full height, the canvas over its pixel centres, so the point is taken
  // to model space through the frame's own projection and view matrix.
  const float nudge = 1.0f / 256.0f;
  const float windowX = static_cast<float>(destX) + nudge;
  const float windowY = static_cast<float>(viewport->height - destY - destHeight) + nudge;
  const float f = viewport->zoomScale / viewport->viewExtent;
  const float w = static_cast<float>(viewport->width);
  const float h = static_cast<float>(viewport->height);
  const Vector3 eye = {(2.0f * windowX / w - 1.0f) * w / (f * h), (2.0f * windowY / h - 1.0f) / f,
                       0.0f};
  const Vector3 position = TransformPoint(eye, GlInverseViewMatrix);
  gl->RasterPos3fv(&position.x);
  gl->DrawPixels(sourceWidth, sourceHeight, kGlBgr, kGlUnsignedByte,
                 rows.data() + sourceY * rowBytes + 3 * sourceX);
  gl->PixelZoom(1.0f, 1.0f);
  gl->PixelStorei(kGlUnpackRowLength, 0);
  gl->PixelStorei(kGlPackRowLength, 0);
  gl->Enable(kGlDepthTest);
  gl->DepthFunc(kGlGequal);
}

void ResetGlViewFrame() { glUnavailable = false; }
