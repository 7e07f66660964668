// Runs a piece of a test in a forked child process, for what must not happen to the test
// program itself: giving up root, or meeting a limit that would stay behind.
#pragma once

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Runs body in a forked child, after it has become the user nobody when dropPrivileges is
// set and the test runs as root: root writes through any permission bits, so only then
// does a directory without write permission stop it. body gets the descriptor of a pipe
// to the parent; the child never returns into the test program. Returns what the child
// wrote to the pipe, with a note when it did not end normally.
inline std::string forkChild(const std::function<void(int)>& body, bool dropPrivileges) {
  int channel[2];
  if (::pipe(channel) != 0) return "child not started: no pipe";
  const pid_t pid = ::fork();
  if (pid < 0) return "child not started: no fork";
  if (pid == 0) {
    ::close(channel[0]);
    const passwd* nobody = ::getpwnam("nobody");
    if (dropPrivileges && ::geteuid() == 0 &&
        (nobody == nullptr || ::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
         ::setuid(nobody->pw_uid) != 0)) {
      const char failed[] = "child could not become nobody";
      [[maybe_unused]] ssize_t ignored = ::write(channel[1], failed, sizeof failed - 1);
    } else {
      body(channel[1]);
    }
    ::_exit(0);  // no destructor of the parent's objects (temporary directories) runs here
  }
  ::close(channel[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0) break;
    result.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    result += " child died with status " + std::to_string(status);
  }
  return result;
}

inline void writeAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
    if (put <= 0) return;
    done += static_cast<std::size_t>(put);
  }
}

// Runs work in a forked child (see forkChild) and returns the text it returned, or a text
// starting with "child " when it threw or died. For code without threads or a GUI.
inline std::string runInChild(const std::function<std::string()>& work,
                              bool dropPrivileges = true) {
  return forkChild(
      [&work](int fd) {
        std::string result;
        try {
          result = work();
        } catch (const std::exception& e) {
          result = std::string("child threw: ") + e.what();
        } catch (...) {
          result = "child threw";
        }
        writeAll(fd, result);
      },
      dropPrivileges);
}

// The environment variable that hands a child test its pipe to the parent.
inline constexpr char kParentPipe[] = "TALLYWORTH_PARENT_PIPE";

// Runs the disabled test `test` (e.g. "Suite.DISABLED_Child") of this test program in a
// fresh process started from the program's file, as forkChild does: a window program's
// objects and threads do not survive a fork, a new process has none. The child test
// tells its outcome with tellParent; env is set in the child's environment first.
inline std::string runTestInChild(const std::string& test,
                                  const std::vector<std::pair<std::string, std::string>>& env,
                                  bool dropPrivileges = true) {
  return forkChild(
      [&](int fd) {
        for (const auto& [name, value] : env) ::setenv(name.c_str(), value.c_str(), 1);
        ::setenv(kParentPipe, std::to_string(fd).c_str(), 1);
        const std::string filter = "--gtest_filter=" + test;
        ::execl("/proc/self/exe", "child-test", filter.c_str(), "--gtest_also_run_disabled_tests",
                static_cast<char*>(nullptr));
        writeAll(fd, "child not started: exec failed");
      },
      dropPrivileges);
}

// In a test run by runTestInChild: sends text to the parent. False when not in such a run.
inline bool tellParent(const std::string& text) {
  const char* fd = std::getenv(kParentPipe);
  if (fd == nullptr) return false;
  writeAll(std::atoi(fd), text);
  return true;
}
