// Billwise payment files for the import tests, written by our engine (the interop test
// has the Python dbf module write them), and a run of the import on a set of books.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

#include "MaintenanceBooks.h"
#include "PaymentImporter.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

struct PaymentRow {
  std::string date;  // raw field text: "yyyymmdd", blank or anything
  std::string amount;
  std::string gst;
  std::string includesGst;
  std::string invoice;
  bool deleted = false;
};

// The payment file as Billwise might lay it out, with a field the import ignores.
inline std::vector<xbase::FieldSpec> billwiseFields() {
  return {{"CUSTNO", 'N', 6, 0}, {"IVNO", 'C', 10},   {"PDATE", 'D', 8},
          {"PAMT", 'N', 10, 2},  {"GST", 'N', 10, 2}, {"LGST", 'L', 1}};
}

// Writes the table path (".dbf" included) with fields and rows; a row's value goes to
// the field of that name when the layout has one.
inline void writePaymentFile(const std::string& path, const std::vector<xbase::FieldSpec>& fields,
                             const std::vector<PaymentRow>& rows) {
  xbase::FileSystem& fs = xbase::FileSystem::posix();
  int error = 0;
  auto file = fs.open(path, xbase::OpenMode::Create, xbase::LockMode::None, &error);
  ASSERT_NE(file, nullptr);
  ASSERT_NE(xbase::DbfFile::create(std::move(file), fields, &error), nullptr) << error;
  const std::string dir = path.substr(0, path.rfind('/'));
  xbase::Engine engine(fs, dir);
  engine.autoOpen = false;
  xbase::Table* table = engine.open(path.substr(path.rfind('/') + 1));
  ASSERT_NE(table, nullptr);
  for (const PaymentRow& row : rows) {
    ASSERT_EQ(table->appendBlank(), 0);
    const std::pair<const char*, const std::string*> values[] = {{"PDATE", &row.date},
                                                                 {"PAMT", &row.amount},
                                                                 {"GST", &row.gst},
                                                                 {"LGST", &row.includesGst},
                                                                 {"IVNO", &row.invoice}};
    for (const auto& [name, value] : values) {
      if (xbase::Field* field = table->field(name)) {
        ASSERT_EQ(field->assign(*value), 0) << name;
      }
    }
    if (row.deleted) table->markDeleted();
  }
  ASSERT_EQ(engine.closeAll(), 0);
}

// Checks and imports path for the range into account 3 and folder 2, with GSTINC1 open
// as the main window opens it. Returns the failing step's result, or the import's.
inline PaymentImporter::Result importPayments(MaintenanceBooks& books, const QString& path,
                                              QDate first, QDate last) {
  Database& db = books.db;
  db.OpenInc();
  db.OpenFolder();
  db.OpenAccI();
  PaymentImporter importer(db, books.progress);
  PaymentImporter::Result result = importer.Check({path, first, last, 3, 2});
  if (result.ok) result = importer.Import();
  code4close(db.code());
  return result;
}
