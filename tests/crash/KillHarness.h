// Runs an operation on a set of books in a forked child process and kills it there with
// SIGKILL: either right after its n-th change to the disk (every write, truncation,
// creation, removal, rename and sync through the engine's file system counts), or at a
// chosen instant. The child tells the parent over a pipe what it committed, one line at a
// time, so the parent knows what must survive.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "StartupRecovery.h"
#include "xbase/FileSystem.h"

namespace crash {

// The machine's file system, killing the process right after its killAt-th change
// (never when killAt is 0). Counts the changes either way.
class KillingFileSystem : public xbase::FileSystem {
 public:
  explicit KillingFileSystem(long killAt) : killAt_(killAt) {}

  long changes() const { return changes_; }

  std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenMode mode,
                                    xbase::LockMode lock, int* error) override {
    auto file = real_.open(path, mode, lock, error);
    if (mode == xbase::OpenMode::Create) changed();
    return file ? std::make_unique<KillingFile>(std::move(file), *this) : nullptr;
  }
  bool exists(const std::string& path) override { return real_.exists(path); }
  bool remove(const std::string& path) override { return changed(real_.remove(path)); }
  bool rename(const std::string& from, const std::string& to) override {
    return changed(real_.rename(from, to));
  }
  std::string resolve(const std::string& path) override { return real_.resolve(path); }

 private:
  bool changed(bool result = true) {
    if (++changes_ == killAt_) ::raise(SIGKILL);
    return result;
  }

  class KillingFile : public xbase::File {
   public:
    KillingFile(std::unique_ptr<xbase::File> file, KillingFileSystem& fs)
        : file_(std::move(file)), fs_(fs) {}
    long long read(std::uint64_t offset, void* buf, std::size_t n) override {
      return file_->read(offset, buf, n);
    }
    bool write(std::uint64_t offset, const void* buf, std::size_t n) override {
      return fs_.changed(file_->write(offset, buf, n));
    }
    long long size() override { return file_->size(); }
    bool truncate(std::uint64_t size) override { return fs_.changed(file_->truncate(size)); }
    bool sync() override { return fs_.changed(file_->sync()); }

   private:
    std::unique_ptr<xbase::File> file_;
    KillingFileSystem& fs_;
  };

  xbase::FileSystem& real_ = xbase::FileSystem::posix();
  long killAt_;
  long changes_ = 0;
};

// The child's side of the pipe: one line per commit.
class Reporter {
 public:
  explicit Reporter(int fd) : fd_(fd) {}
  void line(const std::string& text) {
    const std::string out = text + "\n";
    for (std::size_t done = 0; done < out.size();) {
      const ssize_t put = ::write(fd_, out.data() + done, out.size() - done);
      if (put <= 0) return;
      done += static_cast<std::size_t>(put);
    }
  }

 private:
  int fd_;
};

// What the operation gets in the child: the file system to give the engine, the data
// directory and the reporter.
using Operation =
    std::function<void(xbase::FileSystem& fs, const std::string& directory, Reporter& report)>;

struct ChildRun {
  std::vector<std::string> reports;  // the child's lines, "#..." lines excluded
  bool killed = false;               // died by SIGKILL
  bool finished = false;             // ran to its end
  long changes = 0;                  // changes counted (known when finished)
  std::string trouble;               // anything else that happened to the child
};

// Runs op in a child on directory as a session of the program does: start-up recovery
// first (which leaves the marker), the operation, then a clean end. Kills the child right
// after its killAt-th change (0: never) or, when killAfterUs >= 0, that many microseconds
// after it started.
inline ChildRun runChild(const std::string& directory, const Operation& op, long killAt,
                         long killAfterUs = -1) {
  ChildRun run;
  int channel[2];
  if (::pipe(channel) != 0) return run.trouble = "no pipe", run;
  const pid_t pid = ::fork();
  if (pid < 0) return run.trouble = "no fork", run;
  if (pid == 0) {
    ::close(channel[0]);
    Reporter report(channel[1]);
    KillingFileSystem fs(killAt);
    try {
      StartupRecovery::BeginSession(fs, directory);
      op(fs, directory, report);
      StartupRecovery::EndSession(fs, directory);
      report.line("#changes " + std::to_string(fs.changes()));
    } catch (const std::exception& e) {
      report.line(std::string("#threw ") + e.what());
    } catch (...) {
      report.line("#threw");
    }
    ::_exit(0);  // nothing of the parent's (temporary directories) is cleaned up here
  }
  ::close(channel[1]);
  std::thread killer;
  if (killAfterUs >= 0) {
    killer = std::thread([pid, killAfterUs] {
      std::this_thread::sleep_for(std::chrono::microseconds(killAfterUs));
      ::kill(pid, SIGKILL);  // the child is not reaped before the join: pid is still its
    });
  }
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  if (killer.joinable()) killer.join();
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("#changes ", 0) == 0) {
      run.finished = true;
      run.changes = std::stol(line.substr(9));
    } else if (line.rfind("#", 0) == 0) {
      run.trouble += line;
    } else {
      run.reports.push_back(line);
    }
  }
  if (!run.killed && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
    run.trouble += " child ended with status " + std::to_string(status);
  return run;
}

}  // namespace crash
