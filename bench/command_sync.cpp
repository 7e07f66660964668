// What forcing the table files to disk at the end of a user command costs: one command
// (open the expense table with its tags, change one record, commit it, close every table)
// on the real disk, with the end-of-command sync and with it turned off.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "BenchBook.h"
#include "TableDefinitions.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace {

// The machine's file system with File::sync doing nothing.
class NoSyncFileSystem : public xbase::FileSystem {
 public:
  std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenMode mode,
                                    xbase::LockMode lock, int* error) override {
    auto file = real_.open(path, mode, lock, error);
    return file ? std::make_unique<NoSyncFile>(std::move(file)) : nullptr;
  }
  bool exists(const std::string& path) override { return real_.exists(path); }
  bool remove(const std::string& path) override { return real_.remove(path); }
  bool rename(const std::string& from, const std::string& to) override {
    return real_.rename(from, to);
  }
  std::string resolve(const std::string& path) override { return real_.resolve(path); }

 private:
  class NoSyncFile : public xbase::File {
   public:
    explicit NoSyncFile(std::unique_ptr<xbase::File> file) : file_(std::move(file)) {}
    long long read(std::uint64_t offset, void* buf, std::size_t n) override {
      return file_->read(offset, buf, n);
    }
    bool write(std::uint64_t offset, const void* buf, std::size_t n) override {
      return file_->write(offset, buf, n);
    }
    long long size() override { return file_->size(); }
    bool truncate(std::uint64_t size) override { return file_->truncate(size); }
    bool sync() override { return true; }

   private:
    std::unique_ptr<xbase::File> file_;
  };
  xbase::FileSystem& real_ = xbase::FileSystem::posix();
};

void EditCommand(benchmark::State& state, xbase::FileSystem& fs) {
  const std::string dir = BenchBook::workCopy(state.range(0));
  std::mt19937 random(7);
  for (auto _ : state) {
    xbase::Engine engine(fs, dir);
    xbase::Table* table = engine.open(tables::kExpenses);
    if (table == nullptr) return state.SkipWithError("open failed");
    std::uniform_int_distribution<long> pick(1, table->recCount());
    table->go(pick(random));
    table->field(fields::kPayTo)->assign("Bench payee " + std::to_string(random() % 1000));
    table->field(fields::kAccNo)->assignInteger(static_cast<long long>(random() % 40 + 1));
    if (engine.close(table) != xbase::kSuccess) return state.SkipWithError("commit failed");
    if (engine.open(tables::kExpenses) == nullptr) return state.SkipWithError("reopen failed");
    if (engine.closeAll() != xbase::kSuccess) return state.SkipWithError("close failed");
  }
}

void CommandWithSync(benchmark::State& state) { EditCommand(state, xbase::FileSystem::posix()); }

void CommandWithoutSync(benchmark::State& state) {
  NoSyncFileSystem fs;
  EditCommand(state, fs);
}

BENCHMARK(CommandWithSync)
    ->Name("command_sync/with_sync")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);
BENCHMARK(CommandWithoutSync)
    ->Name("command_sync/without_sync")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

}  // namespace
