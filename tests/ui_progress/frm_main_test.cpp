#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "ui/frm_main.h"
#include "support/ui_app.h"
#include "ui/qt_ui.h"

namespace mt {
namespace {

const QString kZero = QStringLiteral("데이터베이스를 최적화중입니다. 잠시 기다려 주십시오...(0%)");
const QString kCompacting = QStringLiteral("데이터베이스를 압축하고 있습니다...");

class ProgressWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::UiApp(); }
};

bool KoreanCapable(const QFont& font) {
  return QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Korean);
}

TEST_F(ProgressWindow, PercentTextHasOneDecimalRoundedHalfAway) {
  const std::pair<float, const char*> cases[] = {
      {0.0f, "0.0"}, {0.04f, "0.0"}, {0.05f, "0.1"}, {2.25f, "2.3"}, {99.94f, "99.9"},
      {99.95f, "100.0"}, {66.66666f, "66.7"}, {7.0f, "7.0"}, {-0.01f, "0.0"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(frmMain::FormatPercent(value), text) << value;
}

// The window starts at 0% in fonts that draw Korean; QtUi loads it on the
// first percent, shows it centred, and the longest progress text fits its
// label; a message replaces the whole text.
TEST_F(ProgressWindow, QtUiLoadsShowsCentresAndUnloads) {
  EXPECT_EQ(frmMain().lblMsg()->text(), kZero);
  QtUi ui;
  EXPECT_FALSE(ui.IsProgressLoaded());
  ui.ShowPercent(12.345f);  // loads the window without showing it
  ASSERT_TRUE(ui.IsProgressLoaded());
  frmMain* form = ui.progress();
  for (const QFont& font : {form->font(), form->lblMsg()->font()})
    EXPECT_TRUE(KoreanCapable(font)) << QFontInfo(font).family().toStdString();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->lblMsg()->text().endsWith(QStringLiteral("...(12.3%)")));
  ui.ShowProgress();
  EXPECT_TRUE(form->isVisible());
  EXPECT_LE((form->frameGeometry().center() - form->screen()->geometry().center()).manhattanLength(), 2);
  ui.ShowPercent(100.0f);
  EXPECT_EQ(form->lblMsg()->text(), QStringLiteral("데이터베이스를 최적화중입니다. 잠시 기다려 주십시오...(100.0%)"));
  EXPECT_LE(form->lblMsg()->fontMetrics().horizontalAdvance(form->lblMsg()->text()), form->lblMsg()->width());
  form->ShowMsg(kCompacting);
  EXPECT_EQ(form->lblMsg()->text(), kCompacting);
  ui.UnloadProgress();
  EXPECT_FALSE(ui.IsProgressLoaded());
}

// Counts the paints of a widget.
struct Paints : QObject {
  explicit Paints(QWidget* w) { w->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    count += e->type() == QEvent::Paint;
    return false;
  }
  int count = 0;
};

// Progress repaints at most every 40 ms however often it comes (each call
// painting made a thousand paints here); a message paints at once.
TEST_F(ProgressWindow, PercentRepaintsAreTimeThrottledMessagesAreNot) {
  frmMain form;
  form.ShowCentred();
  Paints paints(form.lblMsg());
  for (int i = 0; i < 1000; ++i) form.ShowPercent(float(i) / 10);
  EXPECT_LT(paints.count, 100);
  EXPECT_TRUE(form.lblMsg()->text().endsWith(QStringLiteral("(99.9%)")));
  const int before = paints.count;
  form.ShowMsg(kCompacting);
  EXPECT_GT(paints.count, before);
}

TEST_F(ProgressWindow, MessageBoxIsCriticalWithOneOkButton) {
  // Runs inside the box's own event loop, so it always finds the box and
  // closes it: the test can fail but never hang.
  QString seen;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr || !box->isVisible()) continue;
      seen = QStringLiteral("%1|%2|%3|%4").arg(box->windowTitle(), box->text()).arg(box->icon()).arg(box->buttons().size());
      box->button(QMessageBox::Ok)->click();
    }
  });
  QtUi().MessageBox(QStringLiteral("marrowtide-dbupgrade"), QStringLiteral("DB 업그레이드 중 오류가 발생하였습니다."));
  EXPECT_EQ(seen, QStringLiteral("marrowtide-dbupgrade|DB 업그레이드 중 오류가 발생하였습니다.|%1|1").arg(QMessageBox::Critical));
}

}  // namespace
}  // namespace mt
