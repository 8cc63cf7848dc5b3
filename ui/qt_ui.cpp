#include "ui/qt_ui.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "ui/frm_main.h"

namespace mt {

QtUi::QtUi() = default;
QtUi::~QtUi() = default;

frmMain& QtUi::LoadProgress() {
  if (!form_) form_ = std::make_unique<frmMain>();
  return *form_;
}

void QtUi::ShowProgress() { LoadProgress().ShowCentred(); }

bool QtUi::IsProgressLoaded() const { return form_ != nullptr; }

void QtUi::UnloadProgress() {
  if (!form_) return;
  form_->close();
  form_.reset();
  QCoreApplication::processEvents();
}

void QtUi::ShowPercent(float percent) { LoadProgress().ShowPercent(percent); }

void QtUi::ShowMsg(const QString& message) { LoadProgress().ShowMsg(message); }

void QtUi::MessageBox(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
  box.exec();
}

void QtUi::ProcessEvents() { QCoreApplication::processEvents(); }

void InstallQtUi() {
  // Never destroyed: a window must not outlive QApplication's teardown, and
  // the process ends right after the run anyway.
  static QtUi* ui = new QtUi;
  SetUi(ui);
}

}  // namespace mt
