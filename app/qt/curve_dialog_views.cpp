#include "app/qt/curve_dialog_views.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <span>
#include <utility>
#include <string>
#include <vector>

#include "app/qt/data_dialog_view.h"
#include "app/qt/repeat_dialog_views.h"
#include "modelling/block_dialog.h"
#include "modelling/curve_dialogs.h"
#include "modelling/curve_primitives.h"
#include "modelling/surface_dialogs.h"
#include "platform/qt/qt_ui_services.h"
#include "services/data_dialog.h"

namespace {

// A list of whole numbers whose current entry is the value; a double-click accepts.
template <std::size_t N>
QListWidget* ChoiceList(QDialog& dialog, const std::array<int, N>& entries, int* value) {
  QListWidget* list = EntryList(std::span<const int>(entries), &dialog);
  for (std::size_t i = 0; i < N; ++i) {
    if (entries[i] == *value) list->setCurrentRow(static_cast<int>(i));
  }
  QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [value, entries](int row) {
    if (row >= 0) *value = entries[static_cast<std::size_t>(row)];
  });
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, [&dialog, list](QListWidgetItem* item) {
    list->setCurrentItem(item);
    PressDefaultButton(dialog);
  });
  return list;
}

// The "First CV" group: the Vertex and Flat pictures, checkable and exclusive.
QGroupBox* FirstCvGroup(QDialog& dialog, int* first) {
  auto* group = new QGroupBox(Localized(30502), &dialog);
  auto* buttons = new QButtonGroup(group);
  auto* row = new QHBoxLayout(group);
  const struct {
    int id;
    const char* picture;
    int label;
  } choices[] = {{kFirstCvVertex, ":/art/first_cv/vertex.svg", 30503}, {kFirstCvFlat, ":/art/first_cv/flat.svg", 30504}};
  for (const auto& choice : choices) {
    auto* button = new QToolButton(group);
    button->setIcon(QIcon(QString::fromUtf8(choice.picture)));
    button->setIconSize(QSize(32, 32));
    button->setToolTip(Localized(choice.label));
    button->setCheckable(true);
    button->setChecked(*first == choice.id);
    button->setObjectName(choice.id == kFirstCvVertex ? QStringLiteral("vertex") : QStringLiteral("flat"));
    buttons->addButton(button, choice.id);
    row->addWidget(button);
  }
  buttons->setExclusive(true);
  QObject::connect(buttons, &QButtonGroup::idToggled, group, [first](int id, bool on) {
    if (on) *first = id;
  });
  return group;
}

int RunLineView(CMakeLineDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 30400);
  content->addWidget(new QLabel(Localized(30401), &dialog));
  AddFedEdit(dialog, content, model, CMakeLineDlg::kAngleEdit, EntryList(std::span<const float>(CMakeLineDlg::kAngles), &dialog));
  return ExecDataDialog(dialog);
}

int RunCircleView(CMakeCircleDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 30500);
  content->addWidget(new QLabel(Localized(30501), &dialog));
  content->addWidget(ChoiceList(dialog, CMakeCircleDlg::kCounts, &model.count));
  auto* sizeRow = new QHBoxLayout;
  auto* kind = new QComboBox(&dialog);
  kind->addItem(Localized(30505));
  kind->addItem(Localized(30506));
  kind->setCurrentIndex(model.sizeKind);
  QObject::connect(kind, &QComboBox::activated, &dialog, [&dialog, &model](int index) {
    model.SetSizeKind(index);
    ShowModelTexts(dialog, model);
  });
  sizeRow->addWidget(BoundEdit(model, CMakeCircleDlg::kSizeEdit, &dialog));
  sizeRow->addWidget(kind);
  content->addLayout(sizeRow);
  content->addWidget(FirstCvGroup(dialog, &model.first));
  return ExecDataDialog(dialog);
}

int RunPolygonView(CPolygonDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 30600);
  content->addWidget(new QLabel(Localized(30601), &dialog));
  content->addWidget(ChoiceList(dialog, CPolygonDlg::kSides, &model.sides));
  content->addWidget(FirstCvGroup(dialog, &model.first));
  return ExecDataDialog(dialog);
}

int RunHelixView(CHelixDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 30700);
  auto* grid = new QGridLayout;
  for (int i = 0; i < 5; ++i) {
    grid->addWidget(new QLabel(Localized(30701 + i), &dialog), i, 0);
    grid->addWidget(BoundEdit(model, CHelixDlg::kEdits[i], &dialog), i, 1);
  }
  content->addLayout(grid);
  const int labels[] = {30706, 30707};
  const int values[] = {0, 1};
  content->addWidget(Radios(dialog, labels, values, &model.clockwise));
  return ExecDataDialog(dialog);
}

// The number, typed or taken from the list of 2 to 10, under the caption and label keys.
QVBoxLayout* DivideFrame(QDialog& dialog, CDivideCurvesDlg& model, int captionKey) {
  QVBoxLayout* content = Frame(dialog, model, captionKey);
  content->addWidget(new QLabel(Localized(captionKey + 1), &dialog));
  static constexpr int kNumbers[] = {2, 3, 4, 5, 6, 7, 8, 9, 10};
  AddFedEdit(dialog, content, model, CDivideCurvesDlg::kNumberEdit, EntryList(std::span<const int>(kNumbers), &dialog))
      ->setMaxLength(2);
  return content;
}

int RunDivideView(CDivideCurvesDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  DivideFrame(dialog, model, 30800);
  return ExecDataDialog(dialog);
}

int RunDivideSurfaceView(CDivideSurfaceDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = DivideFrame(dialog, model, 31200);
  const int labels[] = {31202, 31203, 31204};
  const int values[] = {0, 1, 2};
  content->addWidget(Radios(dialog, labels, values, &model.way));
  return ExecDataDialog(dialog);
}

int RunOffsetView(COffsetDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 30900);
  content->addWidget(new QLabel(Localized(30901), &dialog));
  content->addWidget(BoundEdit(model, COffsetDlg::kDistanceEdit, &dialog));
  const int labels[] = {30902, 30903, 30904};
  const int values[] = {0, 1, -1};
  content->addWidget(Radios(dialog, labels, values, &model.side));
  return ExecDataDialog(dialog);
}

int RunBlockFromCurvesView(CBlockFromCurvesDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 30200);
  content->addWidget(new QLabel(Localized(30201), &dialog));
  content->addWidget(BoundEdit(model, CBlockFromCurvesDlg::kRadiusEdit, &dialog));
  content->addWidget(new QLabel(Localized(30202), &dialog));
  content->addWidget(BoundEdit(model, CBlockFromCurvesDlg::kThicknessEdit, &dialog));
  const int labels[] = {30203, 30204, 30205};
  const int values[] = {0, 1, 2};
  auto* ends = new QHBoxLayout;
  for (const auto& [caption, value] : {std::pair{30206, &model.values.frontEndType}, std::pair{30207, &model.values.backEndType}}) {
    auto* group = new QGroupBox(Localized(caption), &dialog);
    auto* column = new QVBoxLayout(group);
    column->addWidget(Radios(dialog, labels, values, value));
    ends->addWidget(group);
  }
  content->addLayout(ends);
  return ExecDataDialog(dialog);
}

template <class Model>
void Register(QtUiServices& ui, int (*view)(Model&, QWidget*)) {
  ui.RegisterDialogView(Model::kName,
                        [view](DialogModel& model, QWidget* parent) { return view(static_cast<Model&>(model), parent); });
}

}  // namespace

void RegisterCurveDialogViews(QtUiServices& ui) {
  Register(ui, &RunLineView);
  Register(ui, &RunCircleView);
  Register(ui, &RunPolygonView);
  Register(ui, &RunHelixView);
  Register(ui, &RunDivideView);
  Register(ui, &RunDivideSurfaceView);
  Register(ui, &RunOffsetView);
  Register(ui, &RunBlockFromCurvesView);
  RegisterRepeatDialogViews(ui);
}
