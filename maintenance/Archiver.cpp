#include "Archiver.h"

#include "Database.h"
#include "ProgressSink.h"
#include "TableWalk.h"
#include "xbase/Status.h"

namespace {

// Walks table (its date tag selected) from the top, marking the records in the range;
// readDate reads the current record's date. done counts the records visited of total.
// Returns the engine's last result: end of file, or an error.
template <class ReadDate>
int markTable(DATA4* table, FIELD4* field, ReadDate readDate, const ArchiveRequest& request,
              ProgressSink& progress, long total, long& done, long& marked) {
  const std::string_view mark = request.archive ? "T" : "F";
  return WalkAll(table,
                 [&] {
                   ++done;
                   progress.ShowProgress(static_cast<int>(done * 100 / total));
                   const QDate date = readDate();
                   // The change is written as the walk moves on (d4skip), which reports a failed
                   // write.
                   if (date.isValid() && date >= request.first && date <= request.last) {
                     f4assign(field, mark);
                     ++marked;
                   }
                 })
      .code;
}

}  // namespace

bool Archiver::Run(const ArchiveRequest& request) {
  db_.OpenExp();
  db_.OpenInc();
  const long total = d4recCountDo(db_.exp().data) + d4recCountDo(db_.inc().data);
  long done = 0;
  marked_ = 0;
  progress_.ShowStatus(QStringLiteral("Archiving Data"));
  int rc = markTable(
      db_.exp().data, db_.exp().Archive,
      [this] {
        db_.ReadExp();
        return db_.expRecord().ExpDate;
      },
      request, progress_, total, done, marked_);
  if (rc >= 0) {
    rc = markTable(
        db_.inc().data, db_.inc().Archive,
        [this] {
          db_.ReadInc();
          return db_.incRecord().IncDate;
        },
        request, progress_, total, done, marked_);
  }
  const int closed = code4close(db_.code());
  progress_.ShowStatus(QString());
  return rc >= 0 && closed >= 0;
}
