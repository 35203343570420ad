#include "manufacturing/nc_posts.h"

#include <cmath>
#include <limits>

#include "exchange/number_format.h"
#include "exchange/output_file.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Changes smaller than this are not worth a G-code word, and values this close to 0 print as 0.
constexpr double kGCodeResolution = 0.00001;

// floor(v * f + 0.5), held within int.
int RolandSteps(float value, int unitsPerMillimetre) {
  const double steps = std::floor(static_cast<double>(value) * unitsPerMillimetre + 0.5);
  if (!(steps > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  if (steps > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(steps);
}

}  // namespace

void CNcPost::WriteLine(std::string_view text) {
  file_.Write(text);
  file_.Write(kLineEnd);
}

void CNcPost::WriteText(std::string_view text) {
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      file_.Write(text.substr(start));
      return;
    }
    WriteLine(text.substr(start, end - start));
    start = end + 1;
  }
}

void CNcPostGCode::BeginProgram() {
  WriteLine("G90");
  WriteLine("G94");
  WriteLine(inches_ ? "G20" : "G21");
  WriteLine("M03");
}

void CNcPostGCode::EndProgram() {
  WriteLine("M05");
  WriteLine("M00");
  WriteLine("M02");
}

void CNcPostGCode::FeedMode() { WriteLine("G01"); }

void CNcPostGCode::RapidMode() { WriteLine("G00"); }

void CNcPostGCode::MoveTo(float newX, float newY, float newZ) {
  char line[3 * (2 + kFormattedNumberRoom)];
  char* end = line;
  float* const last[3] = {&x, &y, &z};
  const float next[3] = {newX, newY, newZ};
  for (int axis = 0; axis < 3; ++axis) {
    float value = next[axis];
    if (!(std::fabs(static_cast<double>(value) - static_cast<double>(*last[axis])) >= kGCodeResolution)) continue;
    if (std::fabs(static_cast<double>(value)) < kGCodeResolution) value = 0.0f;
    *last[axis] = value;
    *end++ = ' ';
    *end++ = axisLetters[axis];
    end = FormatGeneral(end, value);
  }
  if (end != line) WriteLine(std::string_view(line, static_cast<std::size_t>(end - line)));
}

void CNcPostMicromaster::BeginProgram() {
  WriteText(kMicromasterHeader);
}

void CNcPostMicromaster::EndProgram() { WriteText("MOV/RAP,0.,0.,20.,\n"); }

void CNcPostMicromaster::MoveTo(float newX, float newY, float newZ) {
  char line[16 + 3 * (1 + kFormattedNumberRoom)];
  const std::string_view word = rapid ? "MOV/RAP" : "MOV/FEED";
  char* end = line;
  for (const char c : word) *end++ = c;
  for (const float value : {newX, newY, newZ}) {
    *end++ = ',';
    end = FormatGeneral(end, value);
  }
  *end++ = ',';
  WriteLine(std::string_view(line, static_cast<std::size_t>(end - line)));
  x = newX;
  y = newY;
  z = newZ;
}

void CNcPostRoland::FeedMode() { WriteText("F2.0;\nV2.0;\n"); }

void CNcPostRoland::MoveTo(float newX, float newY, float newZ) {
  char line[8 + 3 * (1 + kFormattedNumberRoom)];
  char* end = line;
  char separator = 'Z';
  for (const float value : {newX, newY, newZ}) {
    *end++ = separator;
    end = FormatInteger(end, RolandSteps(value, unitsPerMillimetre_));
    separator = ',';
  }
  *end++ = ';';
  WriteLine(std::string_view(line, static_cast<std::size_t>(end - line)));
  x = newX;
  y = newY;
  z = newZ;
}

void CNcPostRolandMdx15::BeginProgram() { WriteText(kRolandMdx15Header); }

void CNcPostRolandMdx15::EndProgram() { WriteText("H;\n"); }

void CNcPostRolandMdx15::RapidMode() { WriteText("F15.0;\nV15.0;\n"); }

void CNcPostRolandMdx500::BeginProgram() { WriteText(kRolandMdx500Header); }

void CNcPostRolandMdx500::EndProgram() { WriteText("H;\n;\n"); }

void CNcPostRolandMdx500::RapidMode() { WriteText("F85.0;\nV85.0;\n"); }

std::unique_ptr<CNcPost> MakeNcPost(int dialect, OutputFile& file, bool inches) {
  switch (dialect) {
    case 1:
      return std::make_unique<CNcPostMicromaster>(file);
    case 2:
      return std::make_unique<CNcPostRolandMdx15>(file);
    case 3:
      return std::make_unique<CNcPostRolandMdx500>(file);
    default:
      return std::make_unique<CNcPostGCode>(file, inches);
  }
}
