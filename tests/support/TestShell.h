// The main window on a set of test books, with a scripted Ui, a fixed date
// (15 June 2026), a splash clock that never waits and a file system that records.
#pragma once

#include <QDir>
#include <functional>
#include <memory>

#include "AppState.h"
#include "BookRecords.h"
#include "Database.h"
#include "Environment.h"
#include "MainWindow.h"
#include "RecordingFileSystem.h"
#include "ScriptedUi.h"
#include "TestBooks.h"
#include "TestClock.h"
#include "WaitClock.h"

// Time that passes only while the program idles; onIdle sees each pause.
class TestWaitClock : public WaitClock {
 public:
  std::int64_t nowMs() override { return now; }
  void idle(int ms) override {
    if (onIdle) onIdle();
    now += ms;
  }
  std::int64_t now = 1'000'000;
  std::function<void()> onIdle;
};

struct TestShell {
  // Books in directory (the test's TestBooks, or any other).
  explicit TestShell(const std::string& directory)
      : env{ui, ui, clock, waitClock, files, directory, nullptr, directory + "/backups"},
        form(std::make_unique<MainWindow>(env, state)) {}

  Database& db() { return form->database(); }
  // Runs the start-up, then the first paint's refill of the folder list.
  void start() {
    form->prepare();
    form->fillFolderBox();
  }

  ScriptedUi ui;
  TestClock clock;
  TestWaitClock waitClock;
  RecordingFileSystem files;
  AppState state;
  Environment env;
  std::unique_ptr<MainWindow> form;
};

// Stores the settings record. REQUIRES: no table open.
inline void storeSettings(Database& db, const SettingsRecord& settings) {
  db.settingsRecord() = settings;
  db.OpenSettings();
  db.WriteSettings();
  code4close(db.code());
}

// The settings record as stored now, read by a fresh Database.
inline SettingsRecord storedSettings(const std::string& directory) {
  struct NoHost : ProgramHost {
    void tell(const QString&) override {}
    void endWith(int) override { throw std::runtime_error("settings unreadable"); }
  } host;
  struct NoProgress : ProgressSink {
    void ShowStatus(const QString&) override {}
    void ShowProgress(int) override {}
  } progress;
  Database db(directory, host, progress);
  db.OpenSettings();
  db.ReadSettings();
  code4close(db.code());
  return db.settingsRecord();
}
