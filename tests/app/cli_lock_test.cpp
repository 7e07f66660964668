// One program at a time on the books: the tool refuses to start while the window program
// (or another run of the tool) holds the data directory, and the window program refuses
// while the tool holds it, each with the window program's message; once the holder is
// gone the books open again.
#include <gtest/gtest.h>

#include "CliProcess.h"
#include "DataDirectory.h"
#include "TestShell.h"

namespace {

QString lockedLine() {
  QString message = DataDirectory::LockedMessage();
  message.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return message + QLatin1Char('\n');
}

TEST(Lock, TheToolRefusesBooksTheWindowProgramHoldsAndChangesNothing) {
  TestBooks books;
  TestShell window(books.dir());
  window.start();
  const auto before = fingerprints(books.dir());

  const CliRun run = runCli({"reindex"}, books.dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, lockedLine());
  EXPECT_EQ(fingerprints(books.dir()), before);

  window.form.reset();  // the window program ends
  const CliRun after = runCli({"reindex"}, books.dir());
  EXPECT_EQ(after.status, 0) << after.err.toStdString();
}

TEST(Lock, TheToolRefusesBooksAnotherRunHoldsEvenToCheck) {
  TestBooks books;
  bool heldByAnother = true;
  auto held = DataDirectory::Lock(books.dir(), &heldByAnother);  // as the tool takes it
  ASSERT_NE(held, nullptr);
  EXPECT_FALSE(heldByAnother);

  const CliRun run = runCli({"check"}, books.dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, lockedLine());
  EXPECT_TRUE(run.out.isEmpty());
}

TEST(Lock, TheWindowProgramRefusesBooksTheToolHolds) {
  TestBooks books;
  bool heldByAnother = true;
  auto held = DataDirectory::Lock(books.dir(), &heldByAnother);  // as the tool takes it
  ASSERT_NE(held, nullptr);

  TestShell window(books.dir());
  window.ui.expectMessage(DataDirectory::LockedMessage());
  window.files.clear();
  EXPECT_THROW(window.form->prepare(), ProgramEnded);
  EXPECT_TRUE(window.files.opened.isEmpty()) << "the window program touched the tables";
}

TEST(Lock, TheToolLeavesTheBooksFreeWhenItEnds) {
  TestBooks books;
  ASSERT_EQ(runCli({"reindex"}, books.dir()).status, 0);
  TestShell window(books.dir());
  window.start();  // a refusal would be an unexpected message of the scripted Ui
  EXPECT_TRUE(window.ui.messages.isEmpty());
}

}  // namespace
