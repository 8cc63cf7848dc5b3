#include "ui/frm_main.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <charconv>
#include <cmath>

#include "app/log.h"
#include "ui/korean_font.h"

namespace mt {
namespace {

// The form was laid out in twips; the pixel sizes follow at 15 twips a pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) { return twips / kTwipsPerPixel; }

// How often progress repaints at most: 25 times a second.
constexpr qint64 kRefreshMs = 40;

const QString kPercentPrefix = QStringLiteral("데이터베이스를 최적화중입니다. 잠시 기다려 주십시오...(");

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(ExeName());  // the application's default title, as on its message boxes
  setFixedSize(Px(7905), Px(885));
  setFont(KoreanFont(9));

  lblMsg_ = new QLabel(this);
  lblMsg_->setObjectName(QStringLiteral("lblMsg"));
  lblMsg_->setGeometry(Px(30), Px(255), Px(7830), Px(375));
  lblMsg_->setFont(KoreanFont(12));
  lblMsg_->setText(kPercentPrefix + QStringLiteral("0%)"));
}

void frmMain::ShowCentred() {
  // The frame's size is known only once the window exists on the screen, so
  // it is centred right after showing and before its first paint.
  show();
  QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
  }
  repaint();
  QCoreApplication::processEvents();
}

QString frmMain::FormatPercent(float percent) {
  if (!std::isfinite(percent) || std::fabs(percent) >= 1e15f) {
    return QString::number(double(percent), 'f', 1);
  }
  // Round the shortest decimal form of the single-precision value, so that
  // 2.25 shows 2.3 and 12.345 shows 12.3, whatever the binary tail says.
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(percent), std::chars_format::fixed);
  const std::string_view digits(buf, size_t(result.ptr - buf));
  const size_t point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  long long tenths = 0;
  for (char c : whole) tenths = tenths * 10 + (c - '0');
  tenths *= 10;
  if (point != std::string_view::npos) {
    if (point + 1 < digits.size()) tenths += digits[point + 1] - '0';
    if (point + 2 < digits.size() && digits[point + 2] >= '5') ++tenths;
  }
  const bool negative = percent < 0 && tenths != 0;
  return QStringLiteral("%1%2.%3")
      .arg(negative ? QStringLiteral("-") : QString())
      .arg(tenths / 10)
      .arg(tenths % 10);
}

QString frmMain::PercentText(float percent) {
  return kPercentPrefix + FormatPercent(percent) + QStringLiteral("%)");
}

void frmMain::ShowPercent(float percent) { SetText(PercentText(percent), true); }

void frmMain::ShowMsg(const QString& message) { SetText(message, false); }

void frmMain::SetText(const QString& text, bool throttled) {
  // The upgrade reports progress after every statement, tens of thousands
  // of times, while the text changes at most a thousand times: painting only
  // changed text, and no more often than a screen shows it, keeps the window
  // live without slowing the run (painting each change and processing
  // events at every call were a seventh of the upgrade's time).
  if (text != lblMsg_->text()) {
    lblMsg_->setText(text);  // schedules the label's paint
    unpainted_ = true;
  }
  if (throttled && refreshed_.isValid() && refreshed_.elapsed() < kRefreshMs) return;
  if (unpainted_ && isVisible()) lblMsg_->repaint();
  unpainted_ = false;
  QCoreApplication::processEvents();
  refreshed_.start();
}

}  // namespace mt
