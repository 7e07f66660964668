#include <cstring>

#include "NtxIndex.h"
#include "RecordRuns.h"
#include "TableImpl.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"

namespace xbase {

int Table::scan(const std::function<void()>& visit) {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  rc = forEachRecord(*t.dbf, [&](std::uint32_t recno, const char* rec) {
    std::memcpy(t.record.data(), rec, t.record.size());
    t.recno = recno;
    visit();
  });
  if (rc < 0) return t.setEof(), t.fail(rc);
  t.setEof();
  return kSuccess;
}

int Table::select(const std::function<bool()>& keep, std::vector<long>* recnos) {
  Impl& t = *impl_;
  recnos->clear();
  int rc = t.flush();  // first: a record being appended is counted when it is written
  if (rc < 0) return rc;
  const Tag* tag = t.selected;
  const std::uint32_t count = t.dbf->recordCount();
  // With a tag, which records are kept: its entries give their order afterwards.
  std::vector<bool> kept(tag ? count + 1ull : 0, false);
  rc = scan([&] {
    if (tag && !Impl::inTag(*tag, t.record.data())) return;
    if (!keep()) return;
    if (tag) {
      kept[t.recno] = true;
    } else {
      recnos->push_back(t.recno);
    }
  });
  if (rc < 0) return rc;
  if (!tag) return kSuccess;
  bool beyond = false;  // an entry for a record past the table: a damaged tag
  rc = tag->index_->forEachEntry([&](const char*, std::uint32_t n) {
    if (n < 1 || n > count) {
      beyond = true;
    } else if (kept[n]) {
      recnos->push_back(n);
      kept[n] = false;
    }
  });
  if (rc == kSuccess && beyond) rc = kErrIndex;
  return rc < 0 ? t.fail(rc, tag->fileName_) : kSuccess;
}

}  // namespace xbase
