#include <cstring>

#include "NtxIndex.h"
#include "RecordRuns.h"
#include "TableImpl.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"

namespace xbase {

int Table::select(const std::function<bool()>& keep, std::vector<long>* recnos) {
  Impl& t = *impl_;
  recnos->clear();
  int rc = t.flush();
  if (rc < 0) return rc;
  const Tag* tag = t.selected;
  const std::uint32_t count = t.dbf->recordCount();
  const std::size_t length = t.record.size();
  const std::uint32_t perRun = recordsPerRun(*t.dbf);
  std::vector<char> run(perRun * length);
  // With a tag, which records are kept: its entries give their order afterwards.
  std::vector<bool> kept(tag ? count + 1ull : 0, false);
  for (std::uint32_t first = 1; first <= count; first += perRun) {
    const std::uint32_t n = std::min(perRun, count - first + 1);
    if ((rc = t.dbf->readRecords(first, n, run.data())) < 0) return t.setEof(), t.fail(rc);
    for (std::uint32_t i = 0; i < n; ++i) {
      const char* rec = run.data() + i * length;
      if (tag && !Impl::inTag(*tag, rec)) continue;
      std::memcpy(t.record.data(), rec, length);
      t.recno = first + i;
      if (!keep()) continue;
      if (tag) {
        kept[first + i] = true;
      } else {
        recnos->push_back(first + i);
      }
    }
  }
  t.setEof();
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
