#include "platform/qt/qt_progress_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

class QtProgressWindow::Dialog : public QDialog {
 public:
  Dialog(ProgressWindowClient& client, QWidget* owner) : QDialog(owner), client_(client) {}

  void accept() override { client_.OnOK(); }
  void reject() override { client_.OnCancel(); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    client_.OnCancel();
    event->ignore();
  }

 private:
  ProgressWindowClient& client_;
};

QtProgressWindow::QtProgressWindow(ProgressWindowClient& client, QWidget* owner, const std::string& cancelText)
    : dialog_(std::make_unique<Dialog>(client, owner)),
      text_(new QLabel(dialog_.get())),
      bar_(new QProgressBar(dialog_.get())) {
  // A top-level window: disabling the main window would disable its children too.
  dialog_->setWindowFlags(Qt::Dialog);
  dialog_->setWindowModality(Qt::ApplicationModal);
  auto* cancel = new QPushButton(QString::fromStdString(cancelText), dialog_.get());
  cancel->setAutoDefault(false);
  cancel->setDefault(false);
  QObject::connect(cancel, &QPushButton::clicked, dialog_.get(), [this] { dialog_->reject(); });
  auto* layout = new QVBoxLayout(dialog_.get());
  text_->setTextFormat(Qt::PlainText);
  layout->addWidget(text_);
  layout->addWidget(bar_);
  layout->addWidget(cancel, 0, Qt::AlignRight);
  bar_->setTextVisible(false);
  dialog_->resize(360, dialog_->sizeHint().height());
  dialog_->show();
}

QtProgressWindow::~QtProgressWindow() = default;

void QtProgressWindow::SetRange(int lower, int upper) { bar_->setRange(lower, upper); }

void QtProgressWindow::SetPosition(int position) { bar_->setValue(position); }

void QtProgressWindow::SetCaption(const std::string& caption) {
  dialog_->setWindowTitle(QString::fromStdString(caption));
  text_->setText(dialog_->windowTitle());
}

void QtProgressWindow::PumpEvents() { QCoreApplication::processEvents(); }
