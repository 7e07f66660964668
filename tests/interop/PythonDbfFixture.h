// Test fixture for tables written and read by the independent Python dbf module
// (dbf_peer.py): expected rows, and checks of the engine's and Python's view of them.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "PeerProcess.h"
#include "TempDir.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace python_peer {

using xbase::kEof;
using xbase::kSuccess;

struct FieldInfo {
  std::string name;
  char type;
  int width;
  int decimals;
};

struct Row {
  std::vector<QJsonValue> values;  // as dbf_peer.py passes them
  bool deleted = false;
};

struct PeerTable {
  std::string name;  // base name; the file is <name>.dbf
  std::string type;  // the dbf module's table type: db3, fp, vfp
  std::vector<FieldInfo> fields;
  std::vector<Row> rows;  // index recno - 1

  std::string fieldList() const {
    std::string list;
    for (const FieldInfo& f : fields) {
      list += (list.empty() ? "" : "; ") + f.name + " " + f.type;
      if (f.type == 'C') list += "(" + std::to_string(f.width) + ")";
      if (f.type == 'N' || f.type == 'F')
        list += "(" + std::to_string(f.width) + "," + std::to_string(f.decimals) + ")";
    }
    return list;
  }
  int column(const std::string& fieldName) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
      if (fields[i].name == fieldName) return static_cast<int>(i);
    return -1;
  }
};

inline std::string rtrim(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

inline std::string fixed(double value, int width, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, value);
  return buf;
}

// Little-endian bytes of a binary Visual FoxPro field.
template <typename T>
std::string bytesOf(T value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

class PythonDbfInterop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!pythonDbfAvailable())
      GTEST_SKIP() << kPeerPython << " with the dbf module (python3-dbf) is not installed";
  }

  std::string path(const PeerTable& t) const { return dir_.file(t.name + ".dbf"); }

  void writeWithPython(const PeerTable& t) {
    QJsonArray records, deleted;
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
      QJsonArray values;
      for (const QJsonValue& v : t.rows[i].values) values.append(v);
      records.append(values);
      if (t.rows[i].deleted) deleted.append(static_cast<int>(i));
    }
    QJsonObject table{{"path", QString::fromStdString(path(t))},
                      {"type", QString::fromStdString(t.type)},
                      {"fields", QString::fromStdString(t.fieldList())},
                      {"records", records},
                      {"deleted", deleted}};
    QFile listing(QString::fromStdString(dir_.file("tables.json")));
    ASSERT_TRUE(listing.open(QIODevice::WriteOnly));
    listing.write(QJsonDocument(QJsonObject{{"tables", QJsonArray{table}}}).toJson());
    listing.close();
    const PeerResult r =
        runPeer(std::string(kPeerPython) + " " + shellWord(peerScript("dbf_peer.py")) + " write " +
                shellWord(dir_.file("tables.json")));
    ASSERT_EQ(r.exitCode, 0);
  }

  // Python's view of the table must be exactly the expected rows.
  void expectPythonReads(const PeerTable& t) {
    const PeerResult r =
        runPeer(std::string(kPeerPython) + " " + shellWord(peerScript("dbf_peer.py")) + " dump " +
                shellWord(path(t)));
    ASSERT_EQ(r.exitCode, 0);
    const QJsonArray records =
        QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object()["records"].toArray();
    ASSERT_EQ(records.size(), static_cast<qsizetype>(t.rows.size()));
    for (qsizetype i = 0; i < records.size(); ++i) {
      const QJsonObject rec = records[i].toObject();
      EXPECT_EQ(rec["deleted"].toBool(), t.rows[i].deleted) << "record " << i + 1;
      const QJsonArray values = rec["values"].toArray();
      ASSERT_EQ(values.size(), static_cast<qsizetype>(t.fields.size()));
      for (std::size_t f = 0; f < t.fields.size(); ++f) {
        EXPECT_EQ(values[f], t.rows[i].values[f])
            << "record " << i + 1 << " field " << t.fields[f].name;
      }
    }
  }

  // The engine's reading of one field of the current record against the expected value.
  static void expectField(xbase::Field* field, const FieldInfo& info, const QJsonValue& want) {
    SCOPED_TRACE(info.name);
    const std::string raw = field->str();
    ASSERT_EQ(raw.size(), static_cast<std::size_t>(info.width));
    switch (info.type) {
      case 'C':
        EXPECT_EQ(rtrim(raw), want.toString().toStdString());
        break;
      case 'N':
      case 'F':
        EXPECT_EQ(raw, fixed(want.toDouble(), info.width, info.decimals));
        EXPECT_DOUBLE_EQ(field->asDouble(), want.toDouble());
        break;
      case 'D':
        EXPECT_EQ(rtrim(raw), want.isNull() ? "" : want.toString().toStdString());
        break;
      case 'L':
        EXPECT_EQ(field->isTrue(), want.toBool());
        break;
      case 'I':
        EXPECT_EQ(raw, bytesOf(static_cast<std::int32_t>(want.toInt())));
        break;
      case 'B':
        EXPECT_EQ(raw, bytesOf(want.toDouble()));
        break;
      case 'Y':
        EXPECT_EQ(raw, bytesOf(static_cast<std::int64_t>(std::llround(want.toDouble() * 1e4))));
        break;
      default:
        ADD_FAILURE() << "no expectation for type " << info.type;
    }
  }

  // Reads every record through the engine, in record order. Memo fields hold a pointer
  // into the memo file; the engine only shows it as text, so each must be distinct.
  void expectEngineReads(xbase::Table* table, const PeerTable& t) {
    ASSERT_EQ(table->fieldCount(), static_cast<int>(t.fields.size()));
    for (int f = 0; f < table->fieldCount(); ++f) {
      xbase::Field* field = table->field(f);
      EXPECT_EQ(field->name(), t.fields[f].name);
      EXPECT_EQ(field->type(), t.fields[f].type);
      EXPECT_EQ(field->width(), t.fields[f].width);
      EXPECT_EQ(field->decimals(), t.fields[f].decimals);
    }
    ASSERT_EQ(table->recCount(), static_cast<long>(t.rows.size()));
    std::set<std::string> memoPointers;
    for (long n = 1; n <= table->recCount(); ++n) {
      SCOPED_TRACE("record " + std::to_string(n));
      ASSERT_EQ(table->go(n), kSuccess);
      EXPECT_EQ(table->deleted(), t.rows[n - 1].deleted);
      for (std::size_t f = 0; f < t.fields.size(); ++f) {
        if (t.fields[f].type != 'M') {
          expectField(table->field(static_cast<int>(f)), t.fields[f], t.rows[n - 1].values[f]);
        } else {
          EXPECT_TRUE(memoPointers.insert(table->field(static_cast<int>(f))->str()).second);
        }
      }
    }
  }

  static std::vector<long> walk(xbase::Table* table, const std::string& tagName) {
    std::vector<long> recnos;
    table->selectTag(table->tag(tagName));
    EXPECT_NE(table->selectedTag(), nullptr) << tagName;
    for (int rc = table->top(); rc != kEof; rc = table->skip()) {
      EXPECT_EQ(rc, kSuccess);
      if (rc != kSuccess) break;
      recnos.push_back(table->recNo());
    }
    table->selectTag(nullptr);
    return recnos;
  }

  // Record numbers of the rows ordered by key (then record number), live rows only when
  // liveOnly: the order a tag on that key must walk.
  template <typename KeyOf>
  static std::vector<long> expectedOrder(const PeerTable& t, KeyOf keyOf, bool liveOnly) {
    std::vector<std::pair<std::string, long>> entries;
    for (std::size_t i = 0; i < t.rows.size(); ++i)
      if (!liveOnly || !t.rows[i].deleted)
        entries.emplace_back(keyOf(t.rows[i]), static_cast<long>(i + 1));
    std::sort(entries.begin(), entries.end());
    std::vector<long> recnos;
    for (const auto& e : entries) recnos.push_back(e.second);
    return recnos;
  }

  // Assigns the engine's current record from row (fields of the types the engine writes).
  static void store(xbase::Table* table, const PeerTable& t, const Row& row) {
    for (std::size_t f = 0; f < t.fields.size(); ++f) {
      xbase::Field* field = table->field(static_cast<int>(f));
      const QJsonValue& v = row.values[f];
      switch (t.fields[f].type) {
        case 'C':
        case 'D':
          ASSERT_EQ(field->assign(v.isNull() ? "" : v.toString().toStdString()), kSuccess);
          break;
        case 'N':
        case 'F':
          ASSERT_EQ(field->assignDouble(v.toDouble()), kSuccess);
          break;
        case 'L':
          ASSERT_EQ(field->assign(v.toBool() ? "T" : "F"), kSuccess);
          break;
        default:
          break;  // memo and binary fields are left as they are
      }
    }
    if (row.deleted) table->markDeleted();
  }

  TempDir dir_;
  xbase::Engine engine_{xbase::FileSystem::posix(), dir_.path()};
};

}  // namespace python_peer
