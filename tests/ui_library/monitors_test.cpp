#include "ui/monitors.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QWidget>

#include "support/ui_app.h"

namespace mt {
namespace {

template <typename Rect>
QList<int> Edges(const Rect& r) {
  return {r.Left, r.Top, r.Right, r.Bottom};
}

class Monitors : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::UiApp(); }

  // A shown top-level window with the given outer rectangle.
  static std::unique_ptr<QWidget> Window(int x, int y, int w, int h) {
    auto win = std::make_unique<QWidget>();
    win->setGeometry(x, y, w, h);
    win->show();
    QCoreApplication::processEvents();
    return win;
  }

  // The window's outer rectangle once the move is done.
  static QRect Frame(QWidget* w) {
    QCoreApplication::processEvents();
    return w->frameGeometry();
  }

  static int32_t HandleAt(int x, int y) {
    return clsMonitors().GetMonitorFromXYPoint(x, y, MONITOR_DEFAULTTONULL);
  }
};

// The desktop spans all screens; the scan finds each screen once, row by
// row from the top-left corner, negative origins included.
TEST_F(Monitors, RefreshFindsEachScreenOnce) {
  ASSERT_EQ(QGuiApplication::screens().size(), 3);
  EXPECT_DOUBLE_EQ(TwipsPerPixelX(), 15.0);
  clsMonitors m;
  EXPECT_EQ(QList<int>({m.DesktopLeft(), m.DesktopTop(), m.DesktopWidth(), m.DesktopHeight()}),
            QList<int>({-1280, -768, 3200, 1848}));
  m.Refresh();
  ASSERT_EQ(m.Count(), 3) << "many grid points hit the primary; it must be listed once";
  EXPECT_EQ(QList<int>({m.Items().at(0).Top, m.Items().at(1).Left, m.Items().at(2).Left}), QList<int>({-768, -1280, 0}));
  const clsMonitor* left = m.Item(QString::number(HandleAt(-10, 10)));
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(Edges(*left), (QList<int>{-1280, 0, 0, 1024}));
  // The offscreen screens have no task bars: the work area is the screen.
  EXPECT_EQ(QPoint(left->WorkLeft, left->WorkBottom), QPoint(-1280, 1024));
  EXPECT_EQ(m.Item(QStringLiteral("99")), nullptr);
}

TEST_F(Monitors, PointAndWindowLookups) {
  clsMonitors m;
  const int32_t primary = HandleAt(100, 100);
  const int32_t left = HandleAt(-100, 100);
  const int32_t above = HandleAt(100, -100);
  EXPECT_EQ(QSet<int32_t>({primary, left, above, 0}).size(), 4);

  // (-100, 1050) lies below the left screen and left of the primary.
  EXPECT_EQ(m.GetMonitorFromXYPoint(-100, 1050, MONITOR_DEFAULTTONULL), 0);
  EXPECT_EQ(m.GetMonitorFromXYPoint(-100, 1050, MONITOR_DEFAULTTONEAREST), left);
  EXPECT_EQ(m.GetMonitorFromXYPoint(5000, 5000, MONITOR_DEFAULTTOPRIMARY), primary);
  EXPECT_EQ(m.GetMonitorFromXYPoint(-1, 0, MONITOR_DEFAULTTONULL), left) << "right edge is exclusive";

  // A window straddling two screens belongs to the one holding most of it.
  auto win = Window(-300, 100, 400, 200);
  EXPECT_EQ(m.GetMonitorFromWindow(win.get(), MONITOR_DEFAULTTONULL), left);
  win->move(-100, 100);
  Frame(win.get());
  EXPECT_EQ(m.GetMonitorFromWindow(win.get(), MONITOR_DEFAULTTONULL), primary);
  EXPECT_EQ(m.GetMonitorFromWindow(nullptr, MONITOR_DEFAULTTONEAREST), 0);

  clsMonitor info;
  EXPECT_FALSE(m.GetMonitorInformation(0, info));
  ASSERT_TRUE(m.GetMonitorInformation(above, info));
  EXPECT_EQ(info.Handle, above);
  EXPECT_EQ(Edges(info), (QList<int>{0, -768, 1024, 0}));
}

TEST_F(Monitors, CenteringWithinTheWorkArea) {
  clsMonitors m;
  auto form = Window(10, 10, 401, 301);
  m.CenterFormOnMonitor(form.get());
  EXPECT_EQ(Frame(form.get()), QRect(759, 389, 401, 301));

  // Centred on the monitor of a reference window on the left screen.
  auto reference = Window(-1000, 50, 100, 100);
  m.CenterFormOnMonitor(form.get(), reference.get());
  EXPECT_EQ(Frame(form.get()), QRect(-1280 + 439, 361, 401, 301));

  auto hwnd = Window(50, -700, 200, 100);
  m.CenterFormOnMonitorHwnd(hwnd.get(), form.get());
  EXPECT_EQ(Frame(hwnd.get()), QRect(-1280 + 540, 462, 200, 100));
  EXPECT_EQ(Edges(m.GetWorkingMonitorRect(hwnd.get())), (QList<int>{-1280, 0, 0, 1024}));
  EXPECT_EQ(Edges(m.GetWorkingMonitorRect(nullptr)), (QList<int>{0, 0, 1920, 1080}))
      << "without monitor information: the primary screen's size";
  // Larger windows are shrunk to the work area.
  auto large = Window(0, 0, 2500, 1200);
  m.CenterFormOnMonitor(large.get());
  EXPECT_EQ(Frame(large.get()), QRect(0, 0, 1920, 1080));
  auto tall = Window(-1200, 10, 1500, 1500);
  m.CenterFormOnMonitorHwnd(tall.get());
  EXPECT_EQ(Frame(tall.get()), QRect(-1280, 0, 1280, 1024));
}

// A desktop whose monitors are all off has no screen: one record for the
// (empty) whole screen, no monitor at any point, and twips at 96 DPI. The
// program runs again for it, its one application made without screens.
TEST(NoScreens, OneEmptyRecordAndNinetySixDpi) {
  if (!qEnvironmentVariableIsSet("MT_TEST_SCREENS")) {
    QProcess again;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MT_TEST_SCREENS"), QStringLiteral(MT_SOURCE_DIR "/tests/ui_library/no_screens.json"));
    again.setProcessEnvironment(env);
    again.start(QStringLiteral("/proc/self/exe"), {QStringLiteral("--gtest_filter=NoScreens.*")});
    ASSERT_TRUE(again.waitForFinished(60000));
    EXPECT_EQ(again.exitCode(), 0) << again.readAll().toStdString();
    return;
  }
  testing::UiApp();
  ASSERT_TRUE(QGuiApplication::screens().isEmpty());
  EXPECT_DOUBLE_EQ(TwipsPerPixelX(), 15.0);
  EXPECT_DOUBLE_EQ(TwipsPerPixelY(), 15.0);
  clsMonitors m;
  EXPECT_EQ(QList<int>({m.DesktopLeft(), m.DesktopTop(), m.DesktopWidth(), m.DesktopHeight()}), QList<int>({0, 0, 0, 0}));
  ASSERT_EQ(m.Count(), 1);
  EXPECT_EQ(Edges(m.Items().at(0)), (QList<int>{0, 0, 0, 0}));
  EXPECT_EQ(m.GetMonitorFromXYPoint(10, 10, MONITOR_DEFAULTTONEAREST), 0);
  clsMonitor info;
  EXPECT_FALSE(m.GetMonitorInformation(1, info));
}

}  // namespace
}  // namespace mt
