// Books for the master-data tests: the main window on test books (TestShell), records
// added through the record layer, the tables read back as stored by a separate engine,
// and a check that a table's tags agree with its records.
#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <QString>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "BookRecords.h"
#include "TestShell.h"
#include "xbase/Engine.h"
#include "xbase/FileSystem.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

// Adds an expense of day (in March 2026); returns its record number. REQUIRES: no table
// open.
inline long addExpense(Database& db, int account, int folder, int day, bool archived = false) {
  return books::addExpense(
      db, {QDate(2026, 3, day), 0, account, folder, QStringLiteral("Payee %1").arg(day), 11.0, true,
           1.0, QString(), archived});
}

// Adds an income record of day (in March 2026); returns its record number. REQUIRES: no
// table open.
inline long addIncome(Database& db, int account, int folder, int day, bool imported = false,
                      bool archived = false) {
  return books::addIncome(db, {account, QDate(2026, 3, day), QStringLiteral("Receipt %1").arg(day),
                               22.0, 2.0, folder, true, imported, archived});
}

// One record as stored: its number, deleted mark and the raw text of each field.
struct Stored {
  long recNo;
  bool deleted;
  std::map<std::string, std::string> fields;  // upper-case field name → raw text

  int number(const std::string& field) const { return std::stoi(fields.at(field)); }
  QString text(const std::string& field) const {
    return QString::fromLatin1(fields.at(field)).trimmed();
  }
};

// Every record of table in record-number order, read by an engine of its own.
// REQUIRES: the program has no table open.
inline std::vector<Stored> storedRecords(const std::string& directory, const std::string& table) {
  xbase::Engine engine(xbase::FileSystem::posix(), directory);
  engine.autoOpen = false;
  std::vector<Stored> records;
  xbase::Table* data = engine.open(table);
  EXPECT_NE(data, nullptr) << table;
  if (!data) return records;
  for (long recNo = 1; recNo <= data->recCount(); ++recNo) {
    EXPECT_EQ(data->go(recNo), xbase::kSuccess);
    Stored record{recNo, data->deleted(), {}};
    for (int i = 0; i < data->fieldCount(); ++i) {
      record.fields[data->field(i)->name()] = data->field(i)->str();
    }
    records.push_back(std::move(record));
  }
  return records;
}

// The live records of table whose field holds number.
inline std::vector<Stored> liveHolding(const std::string& directory, const std::string& table,
                                       const std::string& field, int number) {
  std::vector<Stored> found;
  for (Stored& record : storedRecords(directory, table)) {
    if (!record.deleted && record.number(field) == number) found.push_back(std::move(record));
  }
  return found;
}

// The fields whose raw texts, joined, make each tag's key.
inline std::vector<std::string> keyFields(const std::string& tag) {
  static const std::map<std::string, std::vector<std::string>> keys{
      {"ACCTAG", {"ACCNO"}},
      {"ACCITAG", {"ACCNO"}},
      {"FOLTAG", {"FOLNO"}},
      {"EDATE", {"EXPDATE", "ACCNO"}},
      {"EACC", {"ACCNO", "EXPDATE"}},
      {"INCDATE", {"INCDATE"}},
      {"INCACC", {"INCACC", "INCDATE"}}};
  std::string upper = tag;
  std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
  return keys.at(upper);
}

// Fails the test unless every tag of table walks exactly the table's live records, in
// ascending key order, and finds each of them by its key.
// REQUIRES: the program has no table open.
inline void expectTagsAgree(const std::string& directory, const std::string& table) {
  const std::vector<Stored> records = storedRecords(directory, table);
  xbase::Engine engine(xbase::FileSystem::posix(), directory);
  xbase::Table* data = engine.open(table);
  ASSERT_NE(data, nullptr) << table;
  ASSERT_FALSE(data->tags().empty()) << table;
  for (const auto& tag : data->tags()) {
    SCOPED_TRACE(table + " " + tag->name());
    std::map<long, std::string> keys;
    for (const Stored& record : records) {
      if (record.deleted) continue;
      std::string key;
      for (const std::string& field : keyFields(tag->name())) key += record.fields.at(field);
      keys[record.recNo] = key;
    }
    data->selectTag(tag.get());
    std::vector<long> walked;
    std::string previous;
    for (int rc = data->top(); rc == xbase::kSuccess; rc = data->skip(1)) {
      walked.push_back(data->recNo());
      ASSERT_TRUE(keys.count(data->recNo())) << "the tag lists record " << data->recNo();
      EXPECT_LE(previous, keys[data->recNo()]) << "out of order at record " << data->recNo();
      previous = keys[data->recNo()];
    }
    EXPECT_EQ(walked.size(), keys.size());
    for (const auto& [recNo, key] : keys) {
      EXPECT_EQ(data->seek(key), xbase::kSuccess) << "record " << recNo << " not found by its key";
    }
  }
}
