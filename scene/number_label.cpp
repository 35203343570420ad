#include <cmath>

#include "scene/drawing_context.h"

namespace {

// The stroke font of control-point labels: digits and the point, drawn as polylines on a cell
// whose origin is the bottom-left; negative dy is upward on the screen.
struct GlyphStroke {
  int kind;
  int count;
  signed char points[6][2];
};

struct Glyph {
  char character;
  int advance;
  int strokeCount;
  GlyphStroke strokes[2];
};

// clang-format off
constexpr Glyph kGlyphs[] = {
    {'0', 9, 1, {{kPolylineClosed, 4, {{1, 0}, {7, 0}, {7, -10}, {1, -10}}}}},
    {'1', 9, 1, {{kPolylineOpen, 2, {{7, 0}, {7, -11}}}}},
    {'2', 9, 1, {{kPolylineOpen, 6, {{7, 0}, {1, 0}, {1, -5}, {7, -5}, {7, -10}, {0, -10}}}}},
    {'3', 9, 2, {{kPolylineOpen, 4, {{1, 0}, {7, 0}, {7, -10}, {0, -10}}}, {kPolylineOpen, 2, {{1, -5}, {7, -5}}}}},
    {'4', 9, 2, {{kPolylineOpen, 2, {{7, 0}, {7, -11}}}, {kPolylineOpen, 3, {{1, -10}, {1, -5}, {7, -5}}}}},
    {'5', 9, 1, {{kPolylineOpen, 6, {{1, 0}, {7, 0}, {7, -5}, {1, -5}, {1, -10}, {8, -10}}}}},
    {'6', 9, 1, {{kPolylineOpen, 6, {{7, -10}, {1, -10}, {1, 0}, {7, 0}, {7, -5}, {1, -5}}}}},
    {'7', 9, 1, {{kPolylineOpen, 3, {{7, 0}, {7, -10}, {0, -10}}}}},
    {'8', 9, 2, {{kPolylineClosed, 4, {{1, 0}, {7, 0}, {7, -10}, {1, -10}}}, {kPolylineOpen, 2, {{1, -5}, {7, -5}}}}},
    {'9', 9, 1, {{kPolylineOpen, 6, {{1, 0}, {7, 0}, {7, -10}, {1, -10}, {1, -5}, {7, -5}}}}},
    {'.', 7, 1, {{kPolylineClosed, 4, {{3, 0}, {5, 0}, {5, -2}, {3, -2}}}}},
};
// clang-format on

const Glyph* FindGlyph(char c) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.character == c) return &glyph;
  }
  return nullptr;
}

}  // namespace

void DrawNumberLabel(Vector3 anchor, std::string_view text) {
  const Vector3 screen = TransformPoint(anchor, GetViewTransform());
  // Labels anchor on the nearest pixel (floor), unlike the truncation of the drawing calls.
  float cellX = std::floor(screen.x + 0.5f);
  const float baseY = std::floor(screen.y + 0.5f);
  const ScreenSpaceDrawing screenSpace;
  for (const char c : text) {
    const Glyph* glyph = FindGlyph(c);
    if (glyph == nullptr) continue;
    for (int s = 0; s < glyph->strokeCount; ++s) {
      const GlyphStroke& stroke = glyph->strokes[s];
      BeginPolyline(stroke.kind);
      for (int i = 0; i < stroke.count; ++i) {
        AddPolylineVertex({cellX + stroke.points[i][0], baseY + stroke.points[i][1], 0.0f});
      }
      EndPolyline();
    }
    cellX += static_cast<float>(glyph->advance);
  }
}
