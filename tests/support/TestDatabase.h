// A Database on fresh TestBooks with every index built, a fixed clock (15 June 2026), a
// recording host and progress sink. Progress of the initial rebuild is cleared.
#pragma once

#include "Database.h"
#include "RecordingProgress.h"
#include "TestBooks.h"
#include "TestClock.h"
#include "TestHost.h"

struct TestDatabase {
  TestDatabase() : db(books.dir(), host, progress, clock) {
    db.RebuildIndexes(RebuildMode::Full);
    progress.clear();
  }

  TestBooks books;
  TestHost host;
  RecordingProgress progress;
  TestClock clock;
  Database db;
};
