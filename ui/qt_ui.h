// The run's windows over Qt Widgets: the progress window frmMain and modal
// error boxes. Needs a QApplication; entry points install it only when a
// display is reachable (otherwise the headless Ui of app/services stays).
//
// Promises:
//  - ShowPercent and ShowMsg load the progress window when it is not loaded
//    (without showing it), update its text and process events once.
//  - MessageBox is a modal box with the critical icon, one OK button, and the
//    given title and text; it returns when the user closed it.
#pragma once

#include <memory>

#include "app/services.h"

namespace mt {

class frmMain;

class QtUi final : public Ui {
 public:
  QtUi();
  ~QtUi() override;

  void ShowProgress() override;
  bool IsProgressLoaded() const override;
  void UnloadProgress() override;
  void ShowPercent(float percent) override;
  void ShowMsg(const QString& message) override;
  void MessageBox(const QString& title, const QString& text) override;
  void ProcessEvents() override;

  // The loaded progress window, or nullptr.
  frmMain* progress() const { return form_.get(); }

 private:
  frmMain& LoadProgress();

  std::unique_ptr<frmMain> form_;
};

// Makes a process-wide QtUi the run's Ui (services().ui).
void InstallQtUi();

}  // namespace mt
