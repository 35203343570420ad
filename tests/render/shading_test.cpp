#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "kernel/bmp_image.h"
#include "program_state.h"
#include "render/material.h"
#include "render/shading.h"
#include "test_matrices.h"

namespace {

using ShadingTest = LumidrexTest;

// A picture in memory; texels are given top-down as red, green, blue, the way one writes them.
ImageRecord Picture(int width, int height, const std::vector<std::array<std::uint8_t, 3>>& rgbBottomUp) {
  ImageRecord image;
  image.width = width;
  image.height = height;
  image.rowBytes = (width * 3 + 3) / 4 * 4;
  image.data.assign(static_cast<std::size_t>(image.rowBytes) * height, 0);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const auto& rgb = rgbBottomUp[row * width + column];
      std::uint8_t* p = &image.data[row * image.rowBytes + column * 3];
      p[0] = rgb[2], p[1] = rgb[1], p[2] = rgb[0];
    }
  }
  return image;
}

Vector3 Tilted(float degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return {static_cast<float>(std::sin(a)), 0, static_cast<float>(std::cos(a))};
}

TEST_F(ShadingTest, DiffuseAndSpecularTerms) {
  struct Case {
    std::string what;
    Vector3 normal;
    float threshold;
    double diffuse, specular;
  };
  const double th100 = 0.998001;
  const double cos3 = std::cos(3 * std::numbers::pi / 180);  // rz at 1.5 degrees
  const Case cases[] = {
      {"facing, loosest threshold", {0, 0, 1}, 0.000001f, 1, 1},
      {"facing, shininess 100", {0, 0, 1}, 0.998001f, 1, 1},
      {"facing, threshold 1", {0, 0, 5}, 1, 1, 1},
      {"off axis, threshold 1", Tilted(0.1f), 1, std::cos(0.1 * std::numbers::pi / 180), 0},
      {"shininess 100 at 1.5 degrees", Tilted(1.5f), 0.998001f, std::cos(1.5 * std::numbers::pi / 180),
       (cos3 - th100) / (1 - th100)},
      {"shininess 100 at 2.5 degrees", Tilted(2.5f), 0.998001f, std::cos(2.5 * std::numbers::pi / 180), 0},
      {"rz below 0", Tilted(50), 0.000001f, std::cos(50 * std::numbers::pi / 180), 0},
      {"flipped from behind", {0, 0.6f, -0.8f}, 0.000001f, 0.8, (2 * 0.64 - 1 - 1e-6) / (1 - 1e-6)},
  };
  for (const Case& c : cases) {
    float specular[3], diffuse[3];
    ShadeDiffuseSpecular(specular, diffuse, c.normal, c.threshold);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(diffuse[i], c.diffuse, 1e-6) << c.what;
      EXPECT_NEAR(specular[i], c.specular, 2e-4) << c.what;
    }
  }
  EXPECT_GT((cos3 - th100) / (1 - th100), 0.3) << "the 1.5-degree case must show a clear highlight";
}

TEST_F(ShadingTest, VertexColoursFlipOnlyClearlyBackwardNormals) {
  SetLightColour(1, 0.5f, 4);
  struct Case {
    Vector3 normal;
    double d;
  };
  // z = -0.0005 stays backward and gets no light; z = -0.002 is turned round.
  const double dFlipped = 0.002 / std::sqrt(1 + 0.002 * 0.002);
  for (const Case c : {Case{{1, 0, -0.0005f}, 0}, Case{{1, 0, -0.002f}, dFlipped}, Case{{0, 3, 4}, 0.8}}) {
    float r, g, b;
    ShadeDiffuse(c.normal, &r, &g, &b);
    EXPECT_NEAR(r, c.d, 1e-6) << c.normal.z;
    EXPECT_NEAR(g, 0.5 * c.d, 1e-6) << c.normal.z;
    EXPECT_NEAR(b, std::min(4 * c.d, 1.0), 1e-6) << c.normal.z;
  }
}

// One pixel at the picture centre, where the eye ray is the view axis.
struct PixelCase {
  std::string what;
  CMaterial material;
  Vector3 normal;
  std::array<std::uint8_t, 3> rgb;  // expected red, green, blue
  float u = 0, v = 0;
  Vector3 tangentU{}, tangentV{};
};

CMaterial Colours(std::array<float, 3> ambient, std::array<float, 3> diffuse, std::array<float, 3> specular,
                  float threshold, float transparency = 0) {
  CMaterial m;
  for (int i = 0; i < 3; ++i) m.ambient[i] = ambient[i], m.diffuse[i] = diffuse[i], m.specular[i] = specular[i];
  m.highlightThreshold = threshold;
  m.transparency = transparency;
  return m;
}

TEST_F(ShadingTest, ShadePixelTable) {
  viewCentreColumn = 50;
  viewCentreRow = 40;
  rowDirection = -1;
  halfHeight = 40;
  frontDepth = 10;

  const ImageRecord texture = Picture(2, 2, {{200, 100, 0}, {0, 50, 100}, {100, 0, 40}, {255, 255, 255}});
  const ImageRecord reflectBright = Picture(1, 1, {{250, 100, 0}});
  const ImageRecord reflectGrey = Picture(1, 1, {{100, 100, 100}});
  const ImageRecord shiny = Picture(1, 1, {{51, 102, 0}});
  // Brightness rises 60 a column: du = 120 / 255 everywhere, dv = 0.
  std::vector<std::array<std::uint8_t, 3>> ramp;
  for (int i = 0; i < 16; ++i) ramp.push_back({std::uint8_t(i % 4 * 60), std::uint8_t(i % 4 * 60), std::uint8_t(i % 4 * 60)});
  const ImageRecord bump = Picture(4, 4, ramp);

  const CMaterial plain = Colours({0.1f, 0.5f, 0}, {0.2f, 0.4f, 0.8f}, {1, 0.5f, 0.25f}, 0.000001f);
  const Vector3 tilted{0.6f, 0, 0.8f};
  std::vector<PixelCase> cases = {
      {"plain", plain, tilted, {101, 145, 170}},
      {"default grey", CMaterial(), tilted, {102, 102, 102}},
      {"rounding at 127.5", Colours({0, 0, 0}, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, 1), {0, 0, 1}, {128, 128, 128}},
      {"transparent face-on", Colours({0.2f, 0.4f, 0.6f}, {0.5f, 0.5f, 0.5f}, {1, 1, 1}, 1, 1), {0, 0, 1}, {30, 20, 10}},
      {"transparent grazing", Colours({0.2f, 0.4f, 0.6f}, {0.5f, 0.5f, 0.5f}, {1, 1, 1}, 1, 1), {1, 0, 0}, {35, 41, 46}},
      {"out of range saturates",
       Colours({0, -1, std::numeric_limits<float>::quiet_NaN()}, {2, -1, std::numeric_limits<float>::quiet_NaN()},
               {0, 0, 0}, 1),
       {0, 0, 1},
       {255, 0, 0}},
  };
  // The ambient colour, scaled by the blended diffuse one, outweighs the weak light.
  PixelCase textured{"texture", Colours({0.9f, 0.2f, 0.7f}, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, 1), {0.8f, 0, 0.6f},
                     {180, 99, 110}};
  textured.material.texture = &texture;
  textured.u = 0.125f, textured.v = 0.25f;
  cases.push_back(textured);
  // The same texel through a planar mapping whose frame is moved: the input's own u and v are ignored.
  PixelCase planar = textured;
  planar.what = "planar mapping";
  planar.material.mappingKind = 1;
  planar.material.mappingMatrix = Translation(-0.75f, -0.5f, 0);
  planar.u = planar.v = 0.9f;
  cases.push_back(planar);
  PixelCase reflecting{"reflect map above 1", Colours({0.9f, 0.9f, 0.9f}, {0.35f, 0.6f, 0.9f}, {1, 1, 1}, 0.000001f),
                       tilted, {206, 72, 0}};
  reflecting.material.reflect = &reflectBright;
  cases.push_back(reflecting);
  PixelCase seeThrough{"reflect map with transparency",
                       Colours({0.9f, 0.9f, 0.9f}, {0.3f, 0.6f, 0.9f}, {1, 1, 1}, 0.000001f, 0.5f), {0, 0, 1}, {34, 58, 82}};
  seeThrough.material.reflect = &reflectGrey;
  cases.push_back(seeThrough);
  PixelCase glossy{"shiny map", plain, tilted, {101, 138, 122}};
  glossy.material.shiny = &shiny;
  glossy.material.transparency = 0.5f;
  cases.push_back(glossy);
  PixelCase flat{"bump without tangents", plain, tilted, {101, 145, 170}, 0.3f, 0.3f};
  flat.material.bump = &bump;
  cases.push_back(flat);
  PixelCase bumped{"bump", plain, {0, 0, 1}, {179, 168, 196}, 0.3f, 0.3f, {1, 0, 0}, {0, 1, 0}};
  bumped.material.bump = &bump;
  cases.push_back(bumped);

  for (const PixelCase& c : cases) {
    std::uint8_t pixel[3] = {10, 20, 30};  // blue, green, red
    PixelShadeInput input;
    input.pixel = pixel;
    input.column = 50;
    input.row = 40;
    input.u = c.u;
    input.v = c.v;
    input.normal = c.normal;
    input.tangentU = c.tangentU;
    input.tangentV = c.tangentV;
    c.material.ShadePixel(input);
    EXPECT_EQ((std::array{pixel[2], pixel[1], pixel[0]}), c.rgb) << c.what;
  }
}

TEST_F(ShadingTest, TheEyeRayLeansTheNormalForTheMapsOnly) {
  // Off the centre the reflection map is read through a normal leant towards the eye ray: a
  // map that is dark on the left and light on the right shows which way.
  viewCentreColumn = 50;
  viewCentreRow = 40;
  rowDirection = 1;
  halfHeight = 40;
  frontDepth = 0;
  const ImageRecord leftRight = Picture(2, 1, {{0, 0, 0}, {255, 255, 255}});
  CMaterial m = Colours({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, 1);
  m.reflect = &leftRight;
  std::uint8_t centre[3] = {0, 0, 0}, right[3] = {0, 0, 0};
  PixelShadeInput input;
  input.normal = {0, 0, 1};
  input.column = 50;
  input.row = 40;
  input.pixel = centre;
  m.ShadePixel(input);
  input.column = 250;  // e leans to -x, so n does too
  input.pixel = right;
  m.ShadePixel(input);
  // e = normalise(-200, 0, 320); n = normalise((0, 0, 1) - f (e.x, 0, e.z - 1)).
  const double ex = -200 / std::sqrt(200.0 * 200 + 320 * 320), ez = 320 / std::sqrt(200.0 * 200 + 320 * 320);
  const double f = (ez - 0.1) / ez * 5 / 9;
  const double nx = -f * ex, nz = 1 - f * (ez - 1), len = std::sqrt(nx * nx + nz * nz);
  // The map's x is (n.x + 1) / 2 across two texels centred at 0.25 and 0.75, wrapping round.
  const double x = (nx / len + 1) / 2 * 2;
  const double fx = x - std::floor(x);
  const double texel = (static_cast<int>(std::floor(x)) % 2 == 0 ? fx : 1 - fx) * 1.2;
  EXPECT_EQ(centre[0], 255);
  EXPECT_LT(texel, 1);
  EXPECT_NEAR(right[0], std::floor(texel * 255 + 0.5), 1);

  // Lighting takes the normal as it came.
  const CMaterial lit = Colours({0, 0, 0}, {0.2f, 0.4f, 0.8f}, {1, 1, 1}, 0.000001f);
  input.normal = {0.6f, 0, 0.8f};
  lit.ShadePixel(input);
  input.column = 50;
  input.pixel = centre;
  lit.ShadePixel(input);
  EXPECT_EQ((std::array{right[0], right[1], right[2]}), (std::array{centre[0], centre[1], centre[2]}));
}

}  // namespace
