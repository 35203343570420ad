#pragma once

#include <memory>
#include <string_view>

class OutputFile;

// The first lines each dialect writes ("\n" ends a line), by which a program's dialect is known
// again, and the steps per millimetre of the Roland dialects.
inline constexpr std::string_view kMicromasterHeader =
    "REM/ *** Micromaster CNC Program***\nREM/\nREM/TE,** Press Return **\nREM/\nCYCLE/STEP\nCYCLE/AUTO\n";
inline constexpr std::string_view kRolandMdx15Header = ";;^IN;\n!MC1;\n^PR;\nV15.0;\nZ0,0,162.6;\n^PA;\n";
inline constexpr std::string_view kRolandMdx500Header =
    ";;^IN;\n!MC1;\nV85.0;\n^PR;\nZ0,0,10500;\n^PA;\nZ0,0,406;\nV15.0;\n";
inline constexpr int kRolandMdx15StepsPerMillimetre = 40;
inline constexpr int kRolandMdx500StepsPerMillimetre = 100;

// One machine dialect of an NC program: turns the generator's moves into that dialect's text.
// Every line ends in CR LF, whatever the platform: the machines' controllers expect it.
class CNcPost {
 public:
  explicit CNcPost(OutputFile& file) : file_(file) {}
  virtual ~CNcPost() = default;
  CNcPost(const CNcPost&) = delete;
  CNcPost& operator=(const CNcPost&) = delete;

  // The text and a line end.
  void WriteLine(std::string_view text);
  virtual void BeginProgram() = 0;
  virtual void EndProgram() = 0;
  virtual void FeedMode() = 0;
  virtual void RapidMode() = 0;
  virtual void MoveTo(float x, float y, float z) = 0;

  // The last written position; the generator sets it before the first move.
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  char axisLetters[3] = {'X', 'Y', 'Z'};

 protected:
  // Writes text whose every "\n" becomes CR LF.
  void WriteText(std::string_view text);

 private:
  OutputFile& file_;
};

// "Standard GM Code": only the axes that changed. The header says the program's units (G21
// millimetres, G20 inches); the feed rate is left to the machine's setting.
class CNcPostGCode : public CNcPost {
 public:
  explicit CNcPostGCode(OutputFile& file, bool inches = false) : CNcPost(file), inches_(inches) {}
  void BeginProgram() override;
  void EndProgram() override;
  void FeedMode() override;
  void RapidMode() override;
  void MoveTo(float x, float y, float z) override;

 private:
  bool inches_;
};

// "Micromaster CNC": every move names all three axes and whether it is rapid.
class CNcPostMicromaster : public CNcPost {
 public:
  using CNcPost::CNcPost;
  void BeginProgram() override;
  void EndProgram() override;
  void FeedMode() override { rapid = 0; }
  void RapidMode() override { rapid = 1; }
  void MoveTo(float x, float y, float z) override;

  int rapid = 0;
};

// The Roland dialects write integer steps of 1 / unitsPerMillimetre.
class CNcPostRoland : public CNcPost {
 public:

  void FeedMode() override;
  void MoveTo(float x, float y, float z) override;

 protected:
  CNcPostRoland(OutputFile& file, int unitsPerMillimetre) : CNcPost(file), unitsPerMillimetre_(unitsPerMillimetre) {}

 private:
  int unitsPerMillimetre_;
};

// "Roland MDX-15/20": steps of 0.025.
class CNcPostRolandMdx15 : public CNcPostRoland {
 public:
  explicit CNcPostRolandMdx15(OutputFile& file) : CNcPostRoland(file, kRolandMdx15StepsPerMillimetre) {}
  void BeginProgram() override;
  void EndProgram() override;
  void RapidMode() override;
};

// "Roland MDX-500/650": steps of 0.01.
class CNcPostRolandMdx500 : public CNcPostRoland {
 public:
  explicit CNcPostRolandMdx500(OutputFile& file) : CNcPostRoland(file, kRolandMdx500StepsPerMillimetre) {}
  void BeginProgram() override;
  void EndProgram() override;
  void RapidMode() override;
};

// The dialect names, by index of the NC Machining dialog.
inline constexpr const char* kNcDialectNames[4] = {"Standard GM Code", "Micromaster CNC", "Roland MDX-15/20",
                                                   "Roland MDX-500/650"};

// The post of a dialect index; an unknown index gives G-code. inches: the program's lengths are
// inches, which G-code says in its header.
std::unique_ptr<CNcPost> MakeNcPost(int dialect, OutputFile& file, bool inches);
