// frmMain: the progress window of the upgrade run. One line of text across a
// small fixed-size window, centred on the screen when shown.
//
// Promises:
//  - Client area 527 x 59 pixels (7905 x 885 twips at 15 twips a pixel); the
//    label lblMsg at (2, 17), 522 x 25, in "맑은 고딕" 12 point (window font
//    9 point), starting with the 0% text.
//  - ShowPercent and ShowMsg replace the whole label text at once. ShowMsg
//    then repaints it when the window is visible and lets Qt process pending
//    events once; ShowPercent does both at most every 40 ms (a text set in
//    between is painted by the next one, or by any processing of events).
//    An update that does not change the text repaints nothing.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

class QLabel;

namespace mt {

class frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);

  // Shows the window (modeless) centred on its screen and paints it once.
  void ShowCentred();

  void ShowPercent(float percent);
  void ShowMsg(const QString& message);

  QLabel* lblMsg() const { return lblMsg_; }

  // "데이터베이스를 최적화중입니다. 잠시 기다려 주십시오...(12.3%)"
  static QString PercentText(float percent);
  // The percent with exactly one decimal, halves rounded away from zero.
  static QString FormatPercent(float percent);

 private:
  // throttled: refresh only when the last refresh is 40 ms old.
  void SetText(const QString& text, bool throttled);

  QLabel* lblMsg_;
  QElapsedTimer refreshed_;
  bool unpainted_ = false;
};

}  // namespace mt
