// Tables written by the independent Python dbf module: the engine must read every field as
// written, index them in the right order, and write changes that Python then reads back
// as meant, leaving fields it does not interpret (memo pointers, binary Visual FoxPro
// fields) byte for byte as they were.
#include "PythonDbfFixture.h"

namespace python_peer {
namespace {

QJsonValue date(const char* yyyymmdd) { return yyyymmdd ? QJsonValue(yyyymmdd) : QJsonValue(); }

// Every one of count rows drawn at random, names in mixed case and repeated so that keys
// tie, every ninth row deleted.
PeerTable people(int count) {
  PeerTable t{"PEOPLE",
              "db3",
              {{"NAME", 'C', 20, 0},
               {"AGE", 'N', 3, 0},
               {"AMT", 'N', 9, 2},
               {"OK", 'L', 1, 0},
               {"BORN", 'D', 8, 0}},
              {}};
  static const char* const kNames[] = {"alice", "Bob", "CARL",  "dave",
                                       "Eve",   "bob", "Alice", "Zoe Smith-Jones"};
  std::mt19937 rng(7);
  for (int i = 0; i < count; ++i) {
    char born[16];
    std::snprintf(born, sizeof born, "%04d%02d%02d", 1940 + static_cast<int>(rng() % 70),
                  1 + static_cast<int>(rng() % 12), 1 + static_cast<int>(rng() % 28));
    t.rows.push_back(
        {{QJsonValue(kNames[rng() % std::size(kNames)]), QJsonValue(static_cast<int>(rng() % 100)),
          QJsonValue((static_cast<int>(rng() % 200000) - 20000) / 100.0),
          QJsonValue(rng() % 2 == 0), rng() % 10 == 0 ? QJsonValue() : date(born)},
         i % 9 == 8});
  }
  return t;
}

std::string upperName(const Row& r) {
  std::string name = r.values[0].toString().toUpper().toStdString();
  return name + std::string(20 - name.size(), ' ');
}
std::string ageText(const Row& r) { return fixed(r.values[1].toDouble(), 3, 0); }
std::string bornThenAge(const Row& r) {
  const std::string born =
      r.values[4].isNull() ? std::string(8, ' ') : r.values[4].toString().toStdString();
  return born + ageText(r);
}

TEST_F(PythonDbfInterop, DbaseThreeTableIsReadIndexedAndChangedForPython) {
  PeerTable t = people(250);
  ASSERT_NO_FATAL_FAILURE(writeWithPython(t));
  xbase::Table* table = engine_.open(t.name);
  ASSERT_NE(table, nullptr);
  ASSERT_NO_FATAL_FAILURE(expectEngineReads(table, t));

  ASSERT_EQ(table->createIndexGroup("PEOPLE", {{"PName", "UPPER(NAME)", ".NOT. DELETED()"},
                                               {"PAge", "AGE", ".NOT. DELETED()"},
                                               {"PBorn", "DTOS(BORN)+STR(AGE,3)", ""}}),
            kSuccess);
  EXPECT_EQ(walk(table, "PName"), expectedOrder(t, upperName, true));
  EXPECT_EQ(walk(table, "PAge"), expectedOrder(t, ageText, true));
  EXPECT_EQ(walk(table, "PBorn"), expectedOrder(t, bornThenAge, false));

  // Update a live record, delete another, recall a deleted one and append three.
  t.rows[2] = {
      {QJsonValue("zed"), QJsonValue(41), QJsonValue(-7.5), QJsonValue(false), date("19991231")},
      false};
  t.rows[4].deleted = true;
  t.rows[8].deleted = false;
  for (long n : {3L, 5L, 9L}) {
    ASSERT_EQ(table->go(n), kSuccess);
    if (n == 9) table->recall();
    ASSERT_NO_FATAL_FAILURE(store(table, t, t.rows[n - 1]));
  }
  for (int i = 0; i < 3; ++i) {
    t.rows.push_back(
        {{QJsonValue(i == 1 ? "BOB" : "Yves"), QJsonValue(i * 30), QJsonValue(1000.25 * i),
          QJsonValue(i != 1), i == 2 ? QJsonValue() : date("20240229")},
         false});
    ASSERT_EQ(table->appendBlank(), kSuccess);
    ASSERT_NO_FATAL_FAILURE(store(table, t, t.rows.back()));
  }
  ASSERT_EQ(engine_.close(table), kSuccess);
  ASSERT_NO_FATAL_FAILURE(expectPythonReads(t));

  // The tags kept up with the changes.
  table = engine_.open(t.name);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(walk(table, "PName"), expectedOrder(t, upperName, true));
  EXPECT_EQ(walk(table, "PAge"), expectedOrder(t, ageText, true));
  EXPECT_EQ(walk(table, "PBorn"), expectedOrder(t, bornThenAge, false));
}

PeerTable ledger() {
  PeerTable t{"LEDGER",
              "fp",
              {{"NAME", 'C', 20, 0},
               {"RATIO", 'F', 12, 4},
               {"AMT", 'N', 9, 2},
               {"BORN", 'D', 8, 0},
               {"NOTE", 'M', 10, 0},
               {"OK", 'L', 1, 0}},
              {}};
  const QString longNote(700, QChar('x'));  // spans several memo blocks
  const char* const names[] = {"Kim", "abe", "Lou", "ABE", "kim", "Max", "al", "Zed"};
  for (int i = 0; i < 8; ++i) {
    const QString note = i % 3 == 0 ? QString() : i % 3 == 1 ? QString("note %1").arg(i) : longNote;
    char born[16];
    std::snprintf(born, sizeof born, "20%02d%02d%02d", 10 + i, 1 + i, 10 + i);
    t.rows.push_back(
        {{QJsonValue(names[i]), QJsonValue(i * 1.0625 - 2), QJsonValue(i * 11.11),
          i == 5 ? QJsonValue() : date(born), QJsonValue(note), QJsonValue(i % 2 == 1)},
         i == 3});
  }
  return t;
}

std::string ledgerName(const Row& r) {
  std::string name = r.values[0].toString().toUpper().toStdString();
  return name + std::string(20 - name.size(), ' ');
}
std::string ledgerBorn(const Row& r) {
  return r.values[3].isNull() ? std::string(8, ' ') : r.values[3].toString().toStdString();
}

TEST_F(PythonDbfInterop, FoxProTableKeepsMemosAndFloatsThroughEngineChanges) {
  PeerTable t = ledger();
  ASSERT_NO_FATAL_FAILURE(writeWithPython(t));
  xbase::Table* table = engine_.open(t.name);
  ASSERT_NE(table, nullptr);
  ASSERT_NO_FATAL_FAILURE(expectEngineReads(table, t));
  ASSERT_EQ(table->createIndexGroup("LEDGER", {{"LName", "UPPER(NAME)", ".NOT. DELETED()"},
                                               {"LBorn", "DTOS(BORN)", ".NOT. DELETED()"}}),
            kSuccess);
  EXPECT_EQ(walk(table, "LName"), expectedOrder(t, ledgerName, true));
  EXPECT_EQ(walk(table, "LBorn"), expectedOrder(t, ledgerBorn, true));

  // Changing the other fields of records with memos leaves the memo pointers alone; an
  // appended record has no memo.
  for (long n : {2L, 3L}) {
    Row& r = t.rows[n - 1];
    r.values[0] = QJsonValue(QString("changed %1").arg(n));
    r.values[1] = QJsonValue(-123.5);
    r.values[2] = QJsonValue(9999.99);
    r.values[5] = QJsonValue(true);
    ASSERT_EQ(table->go(n), kSuccess);
    ASSERT_NO_FATAL_FAILURE(store(table, t, r));
  }
  t.rows.push_back({{QJsonValue("new"), QJsonValue(0.5), QJsonValue(1.0), date("20250101"),
                     QJsonValue(""), QJsonValue(false)},
                    false});
  ASSERT_EQ(table->appendBlank(), kSuccess);
  ASSERT_NO_FATAL_FAILURE(store(table, t, t.rows.back()));
  ASSERT_EQ(engine_.close(table), kSuccess);
  ASSERT_NO_FATAL_FAILURE(expectPythonReads(t));
}

PeerTable counts() {
  PeerTable t{"COUNTS",
              "vfp",
              {{"NAME", 'C', 12, 0},
               {"CNT", 'I', 4, 0},
               {"RATE", 'B', 8, 0},
               {"PRICE", 'Y', 8, 0},
               {"NOTE", 'M', 4, 0},
               {"AMT", 'N', 9, 2},
               {"BORN", 'D', 8, 0},
               {"OK", 'L', 1, 0}},
              {}};
  for (int i = 0; i < 6; ++i) {
    t.rows.push_back(
        {{QJsonValue(QString("item %1").arg(i)), QJsonValue(i * 1000 - 2500), QJsonValue(i / 3.0),
          QJsonValue(i * 12.3125), QJsonValue(QString("memo %1").arg(i)), QJsonValue(i * 2.5),
          date("20200315"), QJsonValue(i % 2 == 0)},
         i == 4});
  }
  return t;
}

TEST_F(PythonDbfInterop, VisualFoxProBinaryFieldsSurviveEngineChanges) {
  PeerTable t = counts();
  ASSERT_NO_FATAL_FAILURE(writeWithPython(t));
  xbase::Table* table = engine_.open(t.name);
  ASSERT_NE(table, nullptr);
  ASSERT_NO_FATAL_FAILURE(expectEngineReads(table, t));

  t.rows[1].values[0] = QJsonValue("renamed");
  t.rows[1].values[5] = QJsonValue(-42.25);
  t.rows[1].values[6] = date("19700101");
  t.rows[2].deleted = true;
  for (long n : {2L, 3L}) {
    ASSERT_EQ(table->go(n), kSuccess);
    ASSERT_NO_FATAL_FAILURE(store(table, t, t.rows[n - 1]));
  }
  ASSERT_EQ(engine_.close(table), kSuccess);
  ASSERT_NO_FATAL_FAILURE(expectPythonReads(t));
}

// Visual FoxPro stores integers, doubles, currency and memo pointers as binary numbers; a
// blank appended record must hold zeros there, which Python reads as 0 and an empty memo.
TEST_F(PythonDbfInterop, VisualFoxProAppendedRecordHasEmptyBinaryFields) {
  PeerTable t = counts();
  ASSERT_NO_FATAL_FAILURE(writeWithPython(t));
  xbase::Table* table = engine_.open(t.name);
  ASSERT_NE(table, nullptr);
  t.rows.push_back({{QJsonValue("added"), QJsonValue(0), QJsonValue(0.0), QJsonValue(0.0),
                     QJsonValue(""), QJsonValue(3.75), date("20240101"), QJsonValue(true)},
                    false});
  ASSERT_EQ(table->appendBlank(), kSuccess);
  ASSERT_NO_FATAL_FAILURE(store(table, t, t.rows.back()));
  ASSERT_EQ(engine_.close(table), kSuccess);
  ASSERT_NO_FATAL_FAILURE(expectPythonReads(t));
}

}  // namespace
}  // namespace python_peer
