#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "ui/frm_main.h"
#include "ui/qt_ui.h"

namespace mt {
namespace {

const QString kZero = QStringLiteral("데이터베이스를 최적화중입니다. 잠시 기다려 주십시오...(0%)");
const QString kCompacting = QStringLiteral("데이터베이스를 압축하고 있습니다...");

class ProgressWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char arg0[] = "test_ui_progress";
    static char* argv[] = {arg0, nullptr};
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
  }
};

bool KoreanCapable(const QFont& font) {
  return QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Korean);
}

TEST_F(ProgressWindow, LayoutFontsAndInitialText) {
  frmMain form;
  EXPECT_EQ(form.size(), QSize(527, 59));
  EXPECT_EQ(form.lblMsg()->geometry(), QRect(2, 17, 522, 25));
  EXPECT_EQ(form.lblMsg()->text(), kZero);
  EXPECT_EQ(form.font().family(), QStringLiteral("맑은 고딕"));
  EXPECT_EQ(form.font().pointSize(), 9);
  EXPECT_EQ(form.lblMsg()->font().pointSize(), 12);
  EXPECT_TRUE(KoreanCapable(form.lblMsg()->font()))
      << QFontInfo(form.lblMsg()->font()).family().toStdString();
  EXPECT_TRUE(KoreanCapable(form.font()));
}

TEST_F(ProgressWindow, PercentTextHasOneDecimalRoundedHalfAwayAndAMessageReplacesIt) {
  frmMain form;
  form.ShowPercent(12.345f);
  EXPECT_TRUE(form.lblMsg()->text().endsWith(QStringLiteral("...(12.3%)")));
  form.ShowPercent(100.0f);
  EXPECT_EQ(form.lblMsg()->text(), QStringLiteral("데이터베이스를 최적화중입니다. 잠시 기다려 주십시오...(100.0%)"));
  const std::pair<float, const char*> cases[] = {
      {0.0f, "0.0"},   {0.04f, "0.0"},  {0.05f, "0.1"},     {2.25f, "2.3"}, {37.5f, "37.5"},
      {99.94f, "99.9"}, {99.95f, "100.0"}, {66.66666f, "66.7"}, {7.0f, "7.0"}, {0.25f, "0.3"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(frmMain::FormatPercent(value), text) << value;

  // A message replaces the whole text, and keeps it.
  form.ShowMsg(kCompacting);
  QApplication::processEvents();
  EXPECT_EQ(form.lblMsg()->text(), kCompacting);
}

TEST_F(ProgressWindow, QtUiLoadsShowsCentresAndUnloads) {
  QtUi ui;
  EXPECT_FALSE(ui.IsProgressLoaded());
  ui.ShowPercent(1.0f);  // loads the window without showing it
  ASSERT_TRUE(ui.IsProgressLoaded());
  EXPECT_FALSE(ui.progress()->isVisible());
  ui.ShowProgress();
  frmMain* form = ui.progress();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->lblMsg()->text().endsWith(QStringLiteral("(1.0%)")));
  const QPoint centre = form->screen()->geometry().center();
  EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 2);

  // A picture of the window, to look at: the Korean text must be drawn as
  // glyphs, and the longest progress text must fit the label.
  ui.ShowPercent(100.0f);
  EXPECT_LE(form->lblMsg()->fontMetrics().horizontalAdvance(form->lblMsg()->text()),
            form->lblMsg()->width());
  const QImage shot = form->grab().toImage();
  EXPECT_TRUE(shot.save(QStringLiteral(MT_BINARY_DIR "/frmMain.png")));
  int dark = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) dark += qGray(shot.pixel(x, y)) < 100;
  }
  EXPECT_GT(dark, 200);

  ui.UnloadProgress();
  EXPECT_FALSE(ui.IsProgressLoaded());
}

TEST_F(ProgressWindow, MessageBoxIsCriticalWithOneOkButton) {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  qsizetype buttons = -1;
  // Runs inside the box's own event loop, so it always finds the box and
  // closes it: the test can fail but never hang.
  QTimer::singleShot(0, [&] {
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* b = qobject_cast<QMessageBox*>(w); b != nullptr && b->isVisible()) box = b;
    }
    if (box == nullptr) return;
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = box->buttons().size();
    box->button(QMessageBox::Ok)->click();
  });
  QtUi().MessageBox(QStringLiteral("marrowtide-dbupgrade"),
                    QStringLiteral("DB 업그레이드 중 오류가 발생하였습니다."));
  EXPECT_EQ(title, QStringLiteral("marrowtide-dbupgrade"));
  EXPECT_EQ(text, QStringLiteral("DB 업그레이드 중 오류가 발생하였습니다."));
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(buttons, 1);
}

}  // namespace
}  // namespace mt
