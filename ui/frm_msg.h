// frmMsg: a small always-on-top notice window with one line of text. It never
// takes the keyboard focus, can hide itself after a given time while counting
// the remaining seconds down in its text, can offer a close image, and can be
// dragged by its text. ShowMsgBox uses it as a backdrop for a standard message
// box; ActivateWindow brings a window to the front and gives it the focus.
//
// Promises:
//  - ShowMsg with a positive auto-hide time returns only after the window hid
//    itself (the countdown ran out) or was closed (close image, an empty
//    ShowMsg, or the window system); it keeps events flowing meanwhile. With
//    0 or less it returns at once and leaves the window showing.
//  - The countdown appends " (N초 남음)" to the message: N is shown as soon as
//    the countdown starts and then once a second, from the Clock service's
//    time; the window hides on the first tick after the time ran out.
//  - "Unloading" hides the window and stops any countdown; the object stays
//    and can be shown again. The user-closed answer and MSG survive it.
#pragma once

#include <QDateTime>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <cstdint>

class QLabel;
class QTimer;

namespace mt {

class frmMsg : public QWidget {
  Q_OBJECT

 public:
  explicit frmMsg(QWidget* parent = nullptr);

  // The message last given to ShowMsg.
  const QString& MSG() const { return msg_; }

  // Shows the message (an empty one unloads the window), centred on the
  // owner or, without one, on the primary screen. Answers whether the user
  // closed the window with the close image.
  bool ShowMsg(const QString& strMsg, QWidget* frmOwner = nullptr, int32_t autoHideMilliSec = 0,
               bool bShowCloseButton = false);

  // Shows strMsg in a standard message box (OK, the application's title)
  // over this window shown as an empty strip; afterwards brings
  // autoFocusAfterClose to the front and waits waitMs, when given.
  void ShowMsgBox(const QString& strMsg, QWidget* autoFocusAfterClose = nullptr, int32_t waitMs = 0);

  bool IsLoaded() const { return isVisible(); }

  // The window's controls.
  QLabel* lblMsg() const { return label_; }
  QLabel* imgClose() const { return closeImage_; }
  QTimer* tmAnim() const { return timer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Ends a running countdown (a waiting ShowMsg then returns) and any drag.
  void StopCountdown();
  void Unload();
  void OnTick();
  void ShowRemaining(double elapsedSeconds);
  void OnCloseImageClicked();

  QLabel* label_;
  QLabel* closeImage_;
  QTimer* timer_;
  QString msg_;
  int32_t autoHideMs_ = 0;
  QDateTime start_;  // null: no countdown running
  bool userClosed_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};

// Brings the window to the front, restored if minimised, and gives it the
// focus; nothing happens when it already is the active window.
void ActivateWindow(QWidget* target);

}  // namespace mt
