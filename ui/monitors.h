// Monitor geometry: the monitors of the desktop as records of pixel
// rectangles, and the centring of a window on its monitor's work area.
//
// Promises:
//  - A monitor handle is the 1-based index of the screen in
//    QGuiApplication::screens(), 0 for "no monitor". Handles are only good
//    until the screen list changes; Refresh rebuilds the collection.
//  - Pixels are Qt's device-independent pixels, the unit of QScreen and
//    QWidget geometry. Twips are 1440 per logical inch: the primary screen's
//    logical DPI decides the factor (15 twips per pixel at 96 DPI), read
//    anew at each use.
//  - Window rectangles are outer (frame) rectangles, as the system's window
//    rectangles are; resizing keeps the frame and changes the client size.
//  - Nothing here throws; every operation works (and answers zeros) without
//    any screen.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>

class QScreen;
class QWidget;

namespace mt {

constexpr int32_t MONITOR_DEFAULTTONULL = 0;
constexpr int32_t MONITOR_DEFAULTTOPRIMARY = 1;
constexpr int32_t MONITOR_DEFAULTTONEAREST = 2;

// One monitor, all in pixels.
struct clsMonitor {
  int32_t Handle = 0;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t WorkLeft = 0;
  int32_t WorkTop = 0;
  int32_t WorkRight = 0;
  int32_t WorkBottom = 0;
};

// Left/top inclusive, right/bottom exclusive, like the system's rectangles.
struct MonitorRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// Twips per pixel of the primary screen (15 when there is no screen).
double TwipsPerPixelX();
double TwipsPerPixelY();

class clsMonitors {
 public:
  clsMonitors();  // fills the collection (Refresh)

  // The virtual desktop (the bounding rectangle of all screens), in pixels.
  int32_t DesktopLeft() const;
  int32_t DesktopTop() const;
  int32_t DesktopWidth() const;
  int32_t DesktopHeight() const;

  // The monitor that shares the largest area with the window's rectangle;
  // when none does, 0, the primary or the nearest monitor by flags.
  int32_t GetMonitorFromWindow(const QWidget* window, int32_t flags) const;
  // The monitor of the one-pixel rectangle at (x, y); -1 without a window
  // system to ask.
  int32_t GetMonitorFromXYPoint(int32_t x, int32_t y, int32_t flags) const;
  bool GetMonitorInformation(int32_t hMonitor, clsMonitor& monitor) const;

  // Centres the form on the work area of its own monitor, or of the
  // reference window's monitor, computing in twips; a form larger than the
  // work area is first shrunk to it.
  void CenterFormOnMonitor(QWidget* form, const QWidget* reference = nullptr) const;
  // The same computed in pixels.
  void CenterFormOnMonitorHwnd(QWidget* toCenter, const QWidget* reference = nullptr) const;
  // The work area of the window's nearest monitor. Without monitor
  // information: left and top 0, right and bottom the primary screen's size
  // in pixels (0 without a screen).
  MonitorRect GetWorkingMonitorRect(const QWidget* window) const;

  // Rebuilds the collection by probing the desktop on a 640 x 480 grid.
  void Refresh();

  // The collection, in the order the scan found the monitors.
  const QList<clsMonitor>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // By the decimal text of the handle; nullptr when absent.
  const clsMonitor* Item(const QString& key) const;

 private:
  QList<clsMonitor> items_;
  QHash<QString, int> index_;
};

}  // namespace mt
