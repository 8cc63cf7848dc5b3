#include "app/services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace mt {

namespace {

class SystemClock final : public Clock {
 public:
  SystemClock() { timer_.start(); }
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
  void Sleep(int milliseconds) override {
    // In slices, so the window stays painted through the run's fixed waits.
    for (int left = milliseconds; left > 0; left -= int(kPaintIntervalMs)) {
      QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, kPaintIntervalMs)));
      KeepWindowPainted();
    }
  }
  qint64 MonotonicMs() const override { return timer_.elapsed(); }

 private:
  QElapsedTimer timer_;
};

// The Ui when no window system is reachable: progress is only remembered,
// and a message box is written to standard error instead of waiting for a
// user who cannot see it.
class HeadlessUi final : public Ui {
 public:
  void ShowProgress() override { loaded_ = true; }
  bool IsProgressLoaded() const override { return loaded_; }
  void UnloadProgress() override { loaded_ = false; }
  void ShowPercent(float) override {}
  void ShowMsg(const QString&) override {}
  void MessageBox(const QString& title, const QString& text) override {
    QTextStream err(stderr);
    err << title << ": " << text << "\n";
    err.flush();
  }
  void ProcessEvents() override {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
  }

 private:
  bool loaded_ = false;
};

SystemClock& DefaultClock() {
  static SystemClock clock;
  return clock;
}

HeadlessUi& DefaultUi() {
  static HeadlessUi ui;
  return ui;
}

}  // namespace

Services& services() {
  static Services s{&DefaultClock(), &DefaultUi(), nullptr, nullptr};
  return s;
}

void KeepWindowPainted() {
  static bool painting = false;
  static qint64 last = 0;
  if (painting) return;
  const qint64 now = services().clock->MonotonicMs();
  if (now < last) last = now;  // another clock was put in place
  if (now - last < kPaintIntervalMs) return;
  painting = true;
  services().ui->ProcessEvents();
  painting = false;
  last = services().clock->MonotonicMs();
}

void WaitPainted(const std::function<void()>& work) {
  std::mutex m;
  std::condition_variable cv;
  bool done = false;
  std::thread worker([&] {
    work();
    std::lock_guard<std::mutex> lock(m);
    done = true;
    cv.notify_one();
  });
  {
    std::unique_lock<std::mutex> lock(m);
    while (!cv.wait_for(lock, std::chrono::milliseconds(kPaintIntervalMs / 2), [&] { return done; })) {
      lock.unlock();
      KeepWindowPainted();
      lock.lock();
    }
  }
  worker.join();
}

void SetClock(Clock* clock) { services().clock = clock ? clock : &DefaultClock(); }
void SetUi(Ui* ui) { services().ui = ui ? ui : &DefaultUi(); }
void SetCryptoFactory(CryptoFactory* factory) { services().crypto = factory; }
void SetCodeMigrations(CodeMigrations* migrations) { services().migrations = migrations; }

}  // namespace mt
