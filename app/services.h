// Platform services of the run: the clock, the windows and the crypto
// component. The run reaches them only through these interfaces, so tests
// replace them (no test waits the real fixed delays, none opens a window).
//
// Promises:
//  - services() is never null. The clock and the Ui always hold a working
//    object: by default the system clock and a headless Ui (message boxes go
//    to standard error, progress is only remembered). The crypto factory and
//    the code migrations are null until an entry point or a test installs
//    them: a null factory means the component cannot be created, null
//    migrations mean no code migration is installed.
//  - Setting the clock or the Ui to nullptr restores its default.
//  - KeepWindowPainted() lets the Ui process its events when it last did so
//    kPaintIntervalMs ago or more (by the clock service), so long work that
//    calls it often keeps the window painted; the system clock's Sleep calls
//    it between slices of its wait.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

namespace mt {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime Now() const = 0;
  // A fixed delay of the run (the waits around the file swap).
  virtual void Sleep(int milliseconds) = 0;
  // Monotonic milliseconds, for measuring waits.
  virtual qint64 MonotonicMs() const = 0;
};

// The windows of the run: the progress window and the message boxes.
class Ui {
 public:
  virtual ~Ui() = default;
  virtual void ShowProgress() = 0;           // show modeless with its initial text, paint once
  virtual bool IsProgressLoaded() const = 0;
  virtual void UnloadProgress() = 0;
  virtual void ShowPercent(float percent) = 0;
  virtual void ShowMsg(const QString& message) = 0;
  // An error box with one OK button; returns when the user closed it.
  virtual void MessageBox(const QString& title, const QString& text) = 0;
  // Lets the window system handle pending messages once.
  virtual void ProcessEvents() = 0;
};

// The external string-crypto component: two key setters, encrypt, decrypt.
// Each operation throws DbError (see db/engine.h) when it fails.
class CryptoComponent {
 public:
  virtual ~CryptoComponent() = default;
  virtual void SetKey1(const QString& key) = 0;
  virtual void SetKey2(const QString& key) = 0;
  virtual QString Encrypt(const QString& text) = 0;
  virtual QString Decrypt(const QString& text) = 0;
  // Whether Decrypt takes the text; this one tries it. A component that
  // tells most texts apart more cheaply than by a failure says so.
  virtual bool Opens(const QString& text) {
    try {
      Decrypt(text);
      return true;
    } catch (...) {
      return false;
    }
  }
};

class CryptoFactory {
 public:
  virtual ~CryptoFactory() = default;
  // Throws DbError when the component cannot be created.
  virtual std::unique_ptr<CryptoComponent> Create() = 0;
};

// The upgrade steps written in code, by schema version.
class CodeMigrations {
 public:
  virtual ~CodeMigrations() = default;
  // Runs the migration of the version; false when the version has none.
  virtual bool Run(int version) = 0;
  virtual bool Has(int version) const = 0;
};

struct Services {
  Clock* clock;
  Ui* ui;
  CryptoFactory* crypto;
  CodeMigrations* migrations;
};

Services& services();

// Time-throttled event processing for long work (see above): cheap enough to
// call between any two steps. A call made while the Ui processes events does
// nothing. The engine calls it through its heartbeat (db/engine.h) once the
// production services are installed.
inline constexpr qint64 kPaintIntervalMs = 100;
void KeepWindowPainted();
// Runs work, a blocking call that touches nothing else of the program (a
// file flush), on a thread of its own and keeps the window painted until it
// has returned.
void WaitPainted(const std::function<void()>& work);
void SetClock(Clock* clock);
void SetUi(Ui* ui);
void SetCryptoFactory(CryptoFactory* factory);
void SetCodeMigrations(CodeMigrations* migrations);

}  // namespace mt
