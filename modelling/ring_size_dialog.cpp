#include "modelling/ring_size_dialog.h"

#include "modelling/curve_dialogs.h"

namespace {

constexpr RingSize kUnitedKingdom[] = {
    {"A", 12.07f}, {"B", 12.46f}, {"C", 12.85f}, {"D", 13.25f}, {"E", 13.64f}, {"F", 14.03f}, {"G", 14.42f},
    {"H", 14.82f}, {"I", 15.22f}, {"J", 15.61f}, {"K", 16.00f}, {"L", 16.40f}, {"M", 16.79f}, {"N", 17.18f},
    {"O", 17.58f}, {"P", 17.97f}, {"Q", 18.36f}, {"R", 18.76f}, {"S", 19.15f}, {"T", 19.55f}, {"U", 19.94f},
    {"V", 20.33f}, {"W", 20.73f}, {"X", 21.12f}, {"Y", 21.51f}, {"Z", 21.91f},
};
constexpr RingSize kUnitedStates[] = {
    {" 1.0", 12.34f}, {" 1.5", 12.75f}, {" 2.0", 13.16f}, {" 2.5", 13.56f}, {" 3.0", 13.97f},
    {" 3.5", 14.38f}, {" 4.0", 14.78f}, {" 4.5", 15.19f}, {" 5.0", 15.60f}, {" 5.5", 16.00f},
    {" 6.0", 16.40f}, {" 6.5", 16.82f}, {" 7.0", 17.22f}, {" 7.5", 17.63f}, {" 8.0", 18.03f},
    {" 8.5", 18.45f}, {" 9.0", 18.87f}, {" 9.5", 19.28f}, {"10.0", 19.76f}, {"10.5", 20.17f},
    {"11.0", 20.60f}, {"11.5", 21.01f}, {"12.0", 21.41f}, {"12.5", 21.82f}, {"13.0", 22.23f},
};
constexpr RingSize kEurope[] = {
    {"38", 12.10f}, {"39", 12.41f}, {"40", 12.73f}, {"41", 13.05f}, {"42", 13.37f}, {"43", 13.69f},
    {"44", 14.01f}, {"45", 14.32f}, {"46", 14.64f}, {"47", 14.96f}, {"48", 15.28f}, {"49", 15.60f},
    {"50", 15.92f}, {"51", 16.23f}, {"52", 16.55f}, {"53", 16.87f}, {"54", 17.19f}, {"55", 17.51f},
    {"56", 17.83f}, {"57", 18.14f}, {"58", 18.46f}, {"59", 18.78f}, {"60", 19.10f}, {"61", 19.42f},
    {"62", 19.74f}, {"63", 20.05f}, {"64", 20.37f}, {"65", 20.69f}, {"66", 21.01f}, {"67", 21.33f},
    {"68", 21.65f}, {"69", 21.96f},
};

CRingSizeDlg keptDialog;

void FillItems(CRingSizeDlg& dialog) {
  dialog.items.clear();
  for (const RingSize& size : RingSizeTable(dialog.table)) dialog.items.emplace_back(size.text);
}

}  // namespace

std::span<const RingSize> RingSizeTable(int table) {
  switch (table) {
    case 1:
      return kUnitedStates;
    case 2:
      return kEurope;
    default:
      return kUnitedKingdom;
  }
}

void CRingSizeDlg::OnInitDialog() {
  FillItems(*this);
  selected = index;
}

void CRingSizeDlg::OnOK() {
  if (CanAccept()) index = selected;
}

void CRingSizeDlg::ChooseTable(int newTable) {
  if (newTable < 0 || newTable >= kRingSizeTableCount) return;
  table = newTable;
  FillItems(*this);
  selected = -1;
}

bool CRingSizeDlg::CanAccept() const { return selected >= 0 && selected < static_cast<int>(items.size()); }

void OnRingSize() {
  CRingSizeDlg dialog = keptDialog;
  if (RunModalDialog(dialog) != kAnswerOk || !dialog.CanAccept()) return;
  keptDialog = dialog;
  CircleDiameter = RingSizeTable(dialog.table)[static_cast<std::size_t>(dialog.index)].innerDiameter;
  RunMakeCircleDialog();
}

void ResetRingSizeDialog() { keptDialog = CRingSizeDlg(); }
