// Test doubles for the platform services: a clock the test sets and a Ui
// that records what the run asked of it. SpineScope installs them together
// with a scripted engine and a temporary program folder, RealFilesScope with
// the production engine and crypto component; each puts everything back
// (globals, shared connection, services) when it ends.
#pragma once

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "app/services.h"
#include "protect/sodium_crypto.h"
#include "support/fake_engine.h"

namespace mt::test {

class FakeClock : public Clock {
 public:
  // Today (files the test writes carry today's date), at a fixed time.
  QDateTime now = QDateTime(QDate::currentDate(), QTime(5, 38, 45));
  mutable qint64 monotonic = 0;
  qint64 monotonicStepMs = 0;  // each reading of MonotonicMs is this much later
  qint64 slept = 0;  // total of all Sleep calls
  std::vector<int> sleeps;  // every Sleep call, in order
  std::function<void(int)> onSleep;  // called after each Sleep
  qint64 stepMs = 0;  // each reading of Now is this much later than the one before
  QDateTime Now() const override { return now.addMSecs(stepMs * readings_++); }
  void Sleep(int milliseconds) override {
    slept += milliseconds;
    sleeps.push_back(milliseconds);
    monotonic += milliseconds;
    if (onSleep) onSleep(milliseconds);
  }
  qint64 MonotonicMs() const override { return monotonic += monotonicStepMs; }

 private:
  mutable qint64 readings_ = 0;
};

class RecordingUi : public Ui {
 public:
  // "ShowProgress", "UnloadProgress", "Percent <p>", "Msg <text>",
  // "Box <title>|<text>"; event processing is only counted.
  QStringList calls;
  int processed = 0;
  bool loaded = false;
  std::function<void()> onProcessEvents;

  void ShowProgress() override {
    loaded = true;
    calls << QStringLiteral("ShowProgress");
  }
  bool IsProgressLoaded() const override { return loaded; }
  void UnloadProgress() override {
    loaded = false;
    calls << QStringLiteral("UnloadProgress");
  }
  void ShowPercent(float percent) override { calls << QStringLiteral("Percent ") + QString::number(percent); }
  void ShowMsg(const QString& message) override { calls << QStringLiteral("Msg ") + message; }
  void MessageBox(const QString& title, const QString& text) override {
    calls << QStringLiteral("Box ") + title + QLatin1Char('|') + text;
  }
  void ProcessEvents() override {
    ++processed;
    if (onProcessEvents) onProcessEvents();
  }
  QStringList Boxes() const;
};

// The messages of a log text's timestamped lines (timestamp and tab removed),
// split at CR LF.
QStringList TimestampedMessages(const QString& logText);

// A temporary program folder, with or without its log folder.
class ProgramFolder {
 public:
  explicit ProgramFolder(bool withLogFolder = true);
  ~ProgramFolder();
  QString Path() const { return dir_.path(); }
  QString File(const QString& name) const { return dir_.filePath(name); }
  QString LogPath() const;
  // The log file's text, decoded as UTF-8; empty when there is no file.
  QString LogText() const;
  // The messages of the timestamped lines (timestamp and tab removed).
  QStringList LogMessages() const;
  // How many error lines the log holds for the procedure (any when empty).
  int ErrorLines(const QString& procedure = {}) const;

 private:
  QTemporaryDir dir_;
};

// The fake clock and Ui in place, the run's globals fresh and no shared
// connection, from construction to destruction.
class ServicesScope {
 public:
  ServicesScope();
  ~ServicesScope();
  FakeClock clock;
  RecordingUi ui;
};

class SpineScope : public ServicesScope {
 public:
  explicit SpineScope(bool withLogFolder = true);
  ~SpineScope();
  ScriptedEngine engine;
  ProgramFolder folder;
};

// A run over real database files: the database path (Globals().DBPath) is
// Marrowtide.mdb in a folder apart from the program's, logging is on.
class RealFilesScope : public ServicesScope {
 public:
  RealFilesScope();
  ~RealFilesScope();
  ProgramFolder folder;
  QTemporaryDir data;

 private:
  SodiumCryptoFactory crypto_;
};

}  // namespace mt::test
