#include "ui/frm_msg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include "app/services.h"
#include "support/fake_services.h"
#include "support/ui_app.h"

namespace mt {
namespace {

void Click(QWidget* w) {
  const QPointF local(5, 5), global(w->mapToGlobal(QPoint(5, 5)));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}

class MessageWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::UiApp(); }
  void SetUp() override { form_.tmAnim()->setInterval(5); }
  void TearDown() override { SetClock(nullptr); }

  frmMsg form_;
};

// The offscreen platform activates every window it shows, so only the
// flags that keep the focus away can be checked here.
TEST_F(MessageWindow, ShowsOnTopWithoutTakingTheFocus) {
  QWidget other;
  other.setGeometry(100, 100, 300, 200);
  other.show();

  EXPECT_FALSE(form_.ShowMsg(QStringLiteral("작업이 끝났습니다")));
  EXPECT_TRUE(form_.IsLoaded());
  EXPECT_EQ(form_.MSG(), QStringLiteral("작업이 끝났습니다"));
  EXPECT_EQ(form_.lblMsg()->text(), QStringLiteral("작업이 끝났습니다"));
  EXPECT_TRUE(QFontMetrics(form_.lblMsg()->font()).inFontUcs4(U'메')) << "a font that draws Korean";
  EXPECT_TRUE(form_.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(form_.windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_TRUE(form_.testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_FALSE(form_.imgClose()->isVisible());
  // 7455 x 945 twips at 15 twips a pixel, centred on the 1920 x 1080 primary.
  EXPECT_EQ(form_.frameGeometry(), QRect(711, 508, 497, 63));

  form_.ShowMsg(QStringLiteral("두 번째"), &other, 0, true);
  // Centred on the smaller owner, halving toward zero: (300 - 497) / 2 = -98,
  // (200 - 63) / 2 = 68.
  EXPECT_EQ(form_.frameGeometry().topLeft(), QPoint(100 - 98, 100 + 68));
  EXPECT_TRUE(form_.imgClose()->isVisible());

  EXPECT_FALSE(form_.ShowMsg(QString()));
  EXPECT_FALSE(form_.IsLoaded());
  EXPECT_EQ(form_.MSG(), QString());
}

TEST_F(MessageWindow, CountsDownAndHidesItself) {
  // The texts shown: once before the first tick, then after each tick while
  // the window still shows. Each reading of the clock is stepMs later.
  const auto countdown = [this](qint64 stepMs, int32_t autoHideMs, bool* userClosed) {
    test::FakeClock clock;
    clock.stepMs = stepMs;
    SetClock(&clock);
    QStringList seen;
    QTimer::singleShot(0, &form_, [&] { seen << form_.lblMsg()->text(); });
    const auto tick = QObject::connect(form_.tmAnim(), &QTimer::timeout, &form_, [&] {
      if (form_.IsLoaded()) seen << form_.lblMsg()->text();
    });
    *userClosed = form_.ShowMsg(QStringLiteral("저장 완료"), nullptr, autoHideMs, true);
    QObject::disconnect(tick);
    SetClock(nullptr);
    return seen;
  };
  bool userClosed = true;
  EXPECT_EQ(countdown(1001, 3000, &userClosed),
            QStringList({QStringLiteral("저장 완료 (3초 남음)"), QStringLiteral("저장 완료 (2초 남음)"),
                         QStringLiteral("저장 완료 (1초 남음)")}));
  EXPECT_FALSE(userClosed);
  EXPECT_FALSE(form_.IsLoaded());
  EXPECT_FALSE(form_.tmAnim()->isActive());
  // Whole seconds rounded half to even: 2.5 -> 2 at the start, then 1.5 -> 2
  // and 0.5 -> 0 on the ticks.
  EXPECT_EQ(countdown(1000, 2500, &userClosed),
            QStringList({QStringLiteral("저장 완료 (2초 남음)"), QStringLiteral("저장 완료 (2초 남음)"),
                         QStringLiteral("저장 완료 (0초 남음)")}));
}

TEST_F(MessageWindow, CloseImageEndsTheWaitAndReportsTheUser) {
  test::FakeClock frozen;
  SetClock(&frozen);
  int ticks = 0;
  QObject::connect(form_.tmAnim(), &QTimer::timeout, &form_, [&] {
    if (++ticks == 3) Click(form_.imgClose());
  });
  EXPECT_TRUE(form_.ShowMsg(QStringLiteral("닫을 수 있음"), nullptr, 3000, true));
  EXPECT_FALSE(form_.IsLoaded());
  EXPECT_GE(ticks, 3);

  // Closed by the window system instead: the wait ends too, not as the user's close.
  ticks = 0;
  QObject::disconnect(form_.tmAnim(), nullptr, &form_, nullptr);
  QObject::connect(form_.tmAnim(), &QTimer::timeout, &form_, [&] {
    if (++ticks == 2) form_.close();
  });
  EXPECT_FALSE(form_.ShowMsg(QStringLiteral("창 닫힘"), nullptr, 3000, true));
  EXPECT_FALSE(form_.IsLoaded());
}

}  // namespace
}  // namespace mt
