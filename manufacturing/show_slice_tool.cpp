#include "manufacturing/show_slice_tool.h"

#include <algorithm>
#include <optional>

#include "manufacturing/slice_file_path.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/viewport.h"
#include "services/file_names.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kShowSlicesString = 32300;  // "Show Slices"
constexpr ColorRef kSweepColor = 0xFF0000;
constexpr ColorRef kSweptColor = 0xAAAAAA;
constexpr char kSliceFilter[] = "Slices Files (*.slc)|*.slc|All Files (*.*)|*.*|";

// The first "I" or "M" after "-UNIT" says inches or millimetres; neither is millimetres.
float UnitFactor(const std::string& header) {
  const std::size_t unit = header.find("-UNIT");
  if (unit == std::string::npos) return 1.0f;
  const std::size_t letter = header.find_first_of("IM", unit + 5);
  return letter != std::string::npos && header[letter] == 'I' ? 25.4f : 1.0f;
}

}  // namespace

CShowSliceToolDlg::CShowSliceToolDlg() {
  LoadSliceFile();
  OpenWindow();
}

CShowSliceToolDlg::~CShowSliceToolDlg() {
  onChanged = nullptr;
  CloseFile();
}

void CShowSliceToolDlg::CloseFile() {
  if (!file_) return;
  // Without an active viewport (the program's reset) there is nothing to redraw.
  if (GetActiveView() != nullptr) RedrawAllViews();
  reader_.reset();
  file_.reset();
  index_.clear();
}

std::string CShowSliceToolDlg::LayerTitle() const {
  return baseTitle_ + " [ " + std::to_string(scrollPosition_ + 1) + " / " + std::to_string(layers()) + " ]";
}

void CShowSliceToolDlg::ShowChanged() {
  if (onChanged) onChanged();
}

void CShowSliceToolDlg::LoadSliceFile() {
  const std::string& path = GetSliceFilePath();
  baseTitle_ = GetLocalizedString(kShowSlicesString) + " : " + path;
  title_ = baseTitle_;
  CloseFile();
  current_ = 0;
  scrollPosition_ = 0;
  unitFactor_ = 1.0f;
  // An empty path opens nothing, never ".slc" in the current folder.
  if (!path.empty()) {
    const std::string name = AddExtensionIfMissing(path, "slc");
    file_.reset(std::fopen(name.c_str(), "rb"));
    if (!file_) {
      ShowFileStatus(kCannotOpenMessage, name);
    } else {
      reader_ = std::make_unique<SlcReader>(file_.get());
      std::string header;
      const bool headerWhole = reader_->ReadHeaderText(&header);
      if (header.compare(0, 4, "-SLC") != 0) {
        reader_.reset();
        file_.reset();
        ShowFileStatus(kInvalidFileFormatMessage, name);
      } else {
        unitFactor_ = UnitFactor(header);
        float thickness = 0.0f;
        bool damaged = !headerWhole || !reader_->ReadSamplingTable(&thickness);
        while (!damaged) {
          const long at = reader_->Position();
          const SlcReader::Record record = reader_->ReadLayer(nullptr);
          if (record == SlcReader::Record::kTerminator) break;
          if (record == SlcReader::Record::kBroken) damaged = true;
          if (record == SlcReader::Record::kLayer) index_.push_back(at);
        }
        // A cut or damaged file shows its whole layers and says why there are not more.
        if (damaged) ShowFileStatus(kInvalidFileFormatMessage, name);
        if (layers() > 0) title_ = LayerTitle();
      }
    }
  }
  ShowChanged();
}

void CShowSliceToolDlg::OnHScroll(int code, int thumb) {
  int position = scrollPosition_;
  switch (code) {
    case kLineLeft:
      position -= 1;
      break;
    case kLineRight:
      position += 1;
      break;
    case kPageLeft:
      position -= 10;
      break;
    case kPageRight:
      position += 10;
      break;
    case kThumbPosition:
    case kThumbTrack:
      position = thumb;
      break;
    default:
      break;
  }
  position = std::clamp(position, ScrollMin(), ScrollMax());
  if (position == scrollPosition_) return;
  scrollPosition_ = position;
  title_ = LayerTitle();
  ShowChanged();
  RedrawAllViews();
  current_ = position;
  RedrawAllViews();
}

void CShowSliceToolDlg::PressButton(int id) {
  ToolCallGuard guard(this);
  if (id == kOpenButton) {
    int filterIndex = 1;
    const std::optional<std::string> name =
        FileDialogPrompt(1, &filterIndex, kSliceFilter, "", GetSliceFilePath());
    if (!name) return;
    SetSliceFilePath(*name);
    LoadSliceFile();
    RedrawAllViews();
  } else if (id == kDrawAllButton) {
    DrawAllLayers();
  }
}

void CShowSliceToolDlg::DrawLayer(int layer) {
  if (!file_ || layer < 0 || layer >= layers() || !reader_->Seek(index_[static_cast<std::size_t>(layer)])) return;
  SlcLayer read;
  if (reader_->ReadLayer(&read) != SlcReader::Record::kLayer) return;
  const float f = unitFactor_;
  for (const std::vector<SlcPoint>& boundary : read.boundaries) {
    if (boundary.empty()) continue;
    BeginPolyline(kPolylineOpen);
    for (const SlcPoint& p : boundary) AddPolylineVertex({p.x * f, p.y * f, read.z * f});
    AddPolylineVertex({boundary[0].x * f, boundary[0].y * f, read.z * f});
    EndPolyline();
  }
}

void CShowSliceToolDlg::DrawFeedback(int) { DrawLayer(current_); }

void CShowSliceToolDlg::DrawAllLayers() {
  CViewport* view = GetActiveView();
  if (!file_ || view == nullptr) return;
  ApplyActiveViewProjection();
  CanvasView* previous = SetDrawingView(view->WindowImageView());
  const ColorRef previousColor = SetDrawColor(kSweepColor);
  for (int layer = 0; layer < layers(); ++layer) {
    SetDrawColor(kSweepColor);
    DrawLayer(layer);
    SetDrawColor(kSweptColor);
    DrawLayer(layer);
    view->PresentWindowImageNow();
  }
  SetDrawColor(previousColor);
  SetDrawingView(previous);
}

void OnShowSlices() {
  if (GetActiveView() == nullptr) return;
  new CShowSliceToolDlg();
  RefreshAllViews(1);
}
