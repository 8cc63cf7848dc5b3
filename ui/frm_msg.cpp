#include "ui/frm_msg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "app/log.h"
#include "app/services.h"
#include "ui/korean_font.h"
#include "ui/monitors.h"

namespace mt {

namespace {

// The window's client area and the close image, in twips and pixels.
constexpr int kClientWidthTwips = 7455;
constexpr int kClientHeightTwips = 945;
constexpr int kCloseImagePixels = 16;
constexpr int kTickMs = 1000;

QPixmap CloseImage() {
  QPixmap image(kCloseImagePixels, kCloseImagePixels);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x9a, 0x9a, 0x9a));
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(5, 5), QPointF(11, 11));
  p.drawLine(QPointF(11, 5), QPointF(5, 11));
  return image;
}

}  // namespace

frmMsg::frmMsg(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
      label_(new QLabel(QStringLiteral("메시지"), this)),
      closeImage_(new QLabel(this)),
      timer_(new QTimer(this)) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0xff, 0xff, 0xf2));
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);
  setAutoFillBackground(true);
  resize(static_cast<int>(std::lround(kClientWidthTwips / TwipsPerPixelX())),
         static_cast<int>(std::lround(kClientHeightTwips / TwipsPerPixelY())));

  label_->setFont(KoreanFont(QStringLiteral("굴림"), QStringLiteral("Gulim"), 9));
  label_->setAlignment(Qt::AlignCenter);
  label_->installEventFilter(this);

  closeImage_->setPixmap(CloseImage());
  closeImage_->setFixedSize(kCloseImagePixels, kCloseImagePixels);
  closeImage_->setToolTip(QStringLiteral("닫기"));
  closeImage_->setCursor(Qt::PointingHandCursor);
  closeImage_->installEventFilter(this);
  closeImage_->hide();

  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, &frmMsg::OnTick);
}

void frmMsg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  label_->setGeometry(rect().adjusted(4, 2, -4, -2));
  closeImage_->move(width() - kCloseImagePixels - 4, 4);
}

void frmMsg::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter p(this);
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool frmMsg::ShowMsg(const QString& strMsg, QWidget* frmOwner, int32_t autoHideMilliSec,
                     bool bShowCloseButton) {
  msg_ = strMsg;
  userClosed_ = false;
  label_->setText(strMsg);
  if (strMsg.isEmpty()) {
    Unload();
    return userClosed_;
  }

  const QSize size = frameGeometry().size();
  QRect area;
  if (frmOwner) {
    area = frmOwner->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->geometry();
  }
  move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);

  closeImage_->setVisible(bShowCloseButton);
  show();
  raise();

  autoHideMs_ = autoHideMilliSec;
  if (autoHideMs_ > 0) {
    start_ = services().clock->Now();
    ShowRemaining(0.0);
    timer_->start();
    while (!start_.isNull()) {
      QElapsedTimer waited;
      waited.start();
      WaitWithEvents(100, 10);
      // Called from inside another wait (through its event processing), the
      // wait returns at once without processing anything; keep the events
      // flowing here so the countdown can still end.
      if (waited.elapsed() < 100) {
        services().ui->ProcessEvents();
        QThread::msleep(10);
      }
    }
  }
  services().ui->ProcessEvents();
  return userClosed_;
}

void frmMsg::ShowRemaining(double elapsedSeconds) {
  // Rounded to the nearest whole second, ties to even (the default rounding
  // mode of nearbyint).
  const double remaining = std::nearbyint(autoHideMs_ / 1000.0 - elapsedSeconds);
  label_->setText(msg_ + QStringLiteral(" (") + QString::number(static_cast<qint64>(remaining)) +
                  QStringLiteral("초 남음)"));
}

void frmMsg::OnTick() {
  try {
    const double elapsed = start_.msecsTo(services().clock->Now()) / 1000.0;
    if (elapsed > autoHideMs_ / 1000.0) {
      Unload();
      return;
    }
    ShowRemaining(elapsed);
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("frmMsg.tmAnim_Timer"), e.number, e.description, 0);
  }
}

void frmMsg::OnCloseImageClicked() {
  userClosed_ = true;
  Unload();
}

void frmMsg::StopCountdown() {
  timer_->stop();
  start_ = QDateTime();
  dragging_ = false;
}

void frmMsg::Unload() {
  StopCountdown();
  hide();
}

void frmMsg::closeEvent(QCloseEvent* event) {
  // Closed by the window system: the same as unloading, so a waiting
  // ShowMsg returns.
  StopCountdown();
  event->accept();
}

bool frmMsg::eventFilter(QObject* watched, QEvent* event) {
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (watched == closeImage_) {
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
        closeImage_->rect().contains(mouse->position().toPoint())) {
      OnCloseImageClicked();
      return true;
    }
    return false;
  }
  if (watched != label_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() != Qt::LeftButton) return false;
      // The window system moves the window itself where it can; elsewhere
      // the window follows the mouse until the button is released.
      if (windowHandle() && windowHandle()->startSystemMove()) return true;
      dragging_ = true;
      dragOffset_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
      return true;
    case QEvent::MouseMove:
      if (!dragging_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      move(mouse->globalPosition().toPoint() - dragOffset_);
      return true;
    case QEvent::MouseButtonRelease:
      if (mouse->button() != Qt::LeftButton || !dragging_) return false;
      dragging_ = false;
      return true;
    default:
      return false;
  }
}

void frmMsg::ShowMsgBox(const QString& strMsg, QWidget* autoFocusAfterClose, int32_t waitMs) {
  ShowMsg(QStringLiteral(" "));
  ActivateWindow(this);
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), strMsg, QMessageBox::Ok);
  box.exec();
  ShowMsg(QString());
  if (autoFocusAfterClose) ActivateWindow(autoFocusAfterClose);
  if (waitMs > 0) WaitWithEvents(waitMs, 10);
}

void ActivateWindow(QWidget* target) {
  if (!target) return;
  QWidget* window = target->window();
  if (QApplication::activeWindow() == window) return;
  if (window->isMinimized()) window->showNormal();
  else window->show();
  window->raise();
  window->activateWindow();
  target->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace mt
