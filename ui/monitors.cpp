#include "ui/monitors.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <limits>

namespace mt {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultTwipsPerPixel = 15.0;  // 96 DPI

QList<QScreen*> Screens() {
  if (!QGuiApplication::instance()) return {};
  return QGuiApplication::screens();
}

QScreen* ScreenOf(int32_t handle) {
  const QList<QScreen*> screens = Screens();
  if (handle < 1 || handle > screens.size()) return nullptr;
  return screens.at(handle - 1);
}

int32_t HandleOf(QScreen* screen) {
  const int index = static_cast<int>(Screens().indexOf(screen));
  return index < 0 ? 0 : index + 1;
}

QScreen* Primary() { return QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr; }

qint64 SquaredDistance(const QRect& a, const QRect& b) {
  // Gaps between the rectangles along each axis; 0 where they overlap.
  const qint64 dx = std::max<qint64>({0, qint64(b.left()) - (a.left() + a.width()),
                                      qint64(a.left()) - (b.left() + b.width())});
  const qint64 dy = std::max<qint64>({0, qint64(b.top()) - (a.top() + a.height()),
                                      qint64(a.top()) - (b.top() + b.height())});
  return dx * dx + dy * dy;
}

// The system's monitor-from-rectangle rule: the screen with the largest
// intersection, else what the flags ask for.
int32_t MonitorFromRect(const QRect& rect, int32_t flags) {
  const QList<QScreen*> screens = Screens();
  QScreen* best = nullptr;
  qint64 bestArea = 0;
  for (QScreen* s : screens) {
    const QRect common = s->geometry().intersected(rect);
    const qint64 area = qint64(common.width()) * common.height();
    if (!common.isEmpty() && area > bestArea) {
      best = s;
      bestArea = area;
    }
  }
  if (best) return HandleOf(best);
  if (flags == MONITOR_DEFAULTTOPRIMARY) return HandleOf(Primary());
  if (flags == MONITOR_DEFAULTTONEAREST) {
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (QScreen* s : screens) {
      const qint64 d = SquaredDistance(s->geometry(), rect);
      if (d < bestDistance) {
        best = s;
        bestDistance = d;
      }
    }
    return HandleOf(best);
  }
  return 0;
}

QRect DesktopRect() {
  QRect desktop;
  for (QScreen* s : Screens()) desktop = desktop.united(s->geometry());
  return desktop;
}

QSize PrimarySize() {
  QScreen* s = Primary();
  return s ? s->geometry().size() : QSize(0, 0);
}

// Gives a window the outer rectangle asked for: the client area takes what
// the frame leaves.
void SetFrameGeometry(QWidget* w, int left, int top, int width, int height) {
  const QRect frame = w->frameGeometry();
  const QRect client = w->geometry();
  const int extraW = frame.width() - client.width();
  const int extraH = frame.height() - client.height();
  const QSize clientSize(std::max(0, width - extraW), std::max(0, height - extraH));
  if (clientSize != client.size()) w->resize(clientSize);
  w->move(left, top);
}

}  // namespace

double TwipsPerPixelX() {
  QScreen* s = Primary();
  const double dpi = s ? s->logicalDotsPerInchX() : 0.0;
  return dpi > 0 ? kTwipsPerInch / dpi : kDefaultTwipsPerPixel;
}

double TwipsPerPixelY() {
  QScreen* s = Primary();
  const double dpi = s ? s->logicalDotsPerInchY() : 0.0;
  return dpi > 0 ? kTwipsPerInch / dpi : kDefaultTwipsPerPixel;
}

clsMonitors::clsMonitors() { Refresh(); }

// Without screens the desktop falls back to the primary screen's size (in
// twips over twips per pixel), which is 0 as well: there is none.
int32_t clsMonitors::DesktopLeft() const { return Screens().isEmpty() ? 0 : DesktopRect().left(); }
int32_t clsMonitors::DesktopTop() const { return Screens().isEmpty() ? 0 : DesktopRect().top(); }
int32_t clsMonitors::DesktopWidth() const {
  return Screens().isEmpty() ? PrimarySize().width() : DesktopRect().width();
}
int32_t clsMonitors::DesktopHeight() const {
  return Screens().isEmpty() ? PrimarySize().height() : DesktopRect().height();
}

int32_t clsMonitors::GetMonitorFromWindow(const QWidget* window, int32_t flags) const {
  if (!window) return 0;
  return MonitorFromRect(window->frameGeometry(), flags);
}

int32_t clsMonitors::GetMonitorFromXYPoint(int32_t x, int32_t y, int32_t flags) const {
  if (!QGuiApplication::instance()) return -1;
  return MonitorFromRect(QRect(x, y, 1, 1), flags);
}

bool clsMonitors::GetMonitorInformation(int32_t hMonitor, clsMonitor& monitor) const {
  QScreen* s = ScreenOf(hMonitor);
  if (!s) return false;
  const QRect g = s->geometry();
  const QRect w = s->availableGeometry();
  monitor.Handle = hMonitor;
  monitor.Left = g.left();
  monitor.Right = g.left() + g.width();
  monitor.Top = g.top();
  monitor.Bottom = g.top() + g.height();
  monitor.WorkLeft = w.left();
  monitor.WorkTop = w.top();
  monitor.WorkRight = w.left() + w.width();
  monitor.WorkBottom = w.top() + w.height();
  monitor.Height = monitor.Bottom - monitor.Top;
  monitor.Width = monitor.Right - monitor.Left;
  return true;
}

void clsMonitors::CenterFormOnMonitor(QWidget* form, const QWidget* reference) const {
  if (!form) return;
  const double tx = TwipsPerPixelX();
  const double ty = TwipsPerPixelY();
  const QRect frame = form->frameGeometry();
  int64_t formW = std::llround(frame.width() * tx);
  int64_t formH = std::llround(frame.height() * ty);
  const int32_t hMon = GetMonitorFromWindow(reference ? reference : form, MONITOR_DEFAULTTONEAREST);
  if (hMon == 0) {
    const QSize screen = PrimarySize();
    const int64_t left = (std::llround(screen.width() * tx) - formW) / 2;
    const int64_t top = (std::llround(screen.height() * ty) - formH) / 2;
    form->move(static_cast<int>(std::lround(left / tx)), static_cast<int>(std::lround(top / ty)));
    return;
  }
  clsMonitor mon;
  if (!GetMonitorInformation(hMon, mon)) return;
  const int64_t workW = std::llround(tx * (mon.WorkRight - mon.WorkLeft));
  const int64_t workH = std::llround(ty * (mon.WorkBottom - mon.WorkTop));
  formW = std::min(formW, workW);
  formH = std::min(formH, workH);
  // Integer halving of whole twips, toward zero, as the twips arithmetic of
  // the program's windows has always done.
  const double left = tx * mon.WorkLeft + (workW - formW) / 2;
  const double top = ty * mon.WorkTop + (workH - formH) / 2;
  SetFrameGeometry(form, static_cast<int>(std::lround(left / tx)), static_cast<int>(std::lround(top / ty)),
                   static_cast<int>(std::lround(formW / tx)), static_cast<int>(std::lround(formH / ty)));
}

void clsMonitors::CenterFormOnMonitorHwnd(QWidget* toCenter, const QWidget* reference) const {
  if (!toCenter) return;
  const QRect frame = toCenter->frameGeometry();
  int w = frame.width();
  int h = frame.height();
  const int32_t hMon = GetMonitorFromWindow(reference ? reference : toCenter, MONITOR_DEFAULTTONEAREST);
  clsMonitor mon;
  if (hMon == 0 || !GetMonitorInformation(hMon, mon)) return;
  const int workW = mon.WorkRight - mon.WorkLeft;
  const int workH = mon.WorkBottom - mon.WorkTop;
  w = std::min(w, workW);
  h = std::min(h, workH);
  SetFrameGeometry(toCenter, mon.WorkLeft + (workW - w) / 2, mon.WorkTop + (workH - h) / 2, w, h);
}

MonitorRect clsMonitors::GetWorkingMonitorRect(const QWidget* window) const {
  MonitorRect r;
  clsMonitor mon;
  const int32_t hMon = GetMonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  if (hMon != 0 && GetMonitorInformation(hMon, mon)) {
    r.Left = mon.WorkLeft;
    r.Top = mon.WorkTop;
    r.Right = mon.WorkRight;
    r.Bottom = mon.WorkBottom;
  } else {
    const QSize screen = PrimarySize();
    r.Right = screen.width();
    r.Bottom = screen.height();
  }
  return r;
}

void clsMonitors::Refresh() {
  items_.clear();
  index_.clear();
  if (!Screens().isEmpty()) {
    // The bounds are the desktop's width and height themselves, not origin +
    // size: the origin is never positive on a desktop whose primary screen
    // sits at (0, 0), so the grid still reaches every screen.
    const int32_t left = DesktopLeft();
    const int32_t top = DesktopTop();
    const int32_t width = DesktopWidth();
    const int32_t height = DesktopHeight();
    for (int64_t y = top; y <= height; y += 480) {
      for (int64_t x = left; x <= width; x += 640) {
        const int32_t h = GetMonitorFromXYPoint(static_cast<int32_t>(x + 320),
                                                static_cast<int32_t>(y + 240), MONITOR_DEFAULTTONULL);
        if (h == 0) continue;
        const QString key = QString::number(h);
        if (index_.contains(key)) continue;
        clsMonitor mon;
        if (!GetMonitorInformation(h, mon)) continue;
        index_.insert(key, static_cast<int>(items_.size()));
        items_.append(mon);
      }
    }
    return;
  }
  // No screens: one record for the whole (empty) screen.
  clsMonitor whole;
  const QSize screen = PrimarySize();
  whole.Right = whole.WorkRight = screen.width();
  whole.Bottom = whole.WorkBottom = screen.height();
  whole.Width = whole.Right;
  whole.Height = whole.Bottom;
  index_.insert(QString::number(whole.Handle), 0);
  items_.append(whole);
}

const clsMonitor* clsMonitors::Item(const QString& key) const {
  const auto it = index_.constFind(key);
  return it == index_.constEnd() ? nullptr : &items_.at(*it);
}

}  // namespace mt
