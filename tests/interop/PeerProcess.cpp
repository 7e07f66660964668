#include "PeerProcess.h"

#include <sys/wait.h>

#include <cstdio>

PeerResult runPeer(const std::string& command) {
  PeerResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.out.append(buf, n);
  const int status = ::pclose(pipe);
  result.exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string shellWord(const std::string& text) {
  std::string word = "'";
  for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

std::string peerScript(const std::string& name) {
  return std::string(TEST_SOURCE_DIR) + "/interop/" + name;
}

bool perlXBaseAvailable() {
  return runPeer("perl -MXBase -MXBase::Index -e 1 >/dev/null 2>&1").exitCode == 0;
}

bool pythonDbfAvailable() {
  return runPeer(std::string(kPeerPython) + " -c 'import dbf' >/dev/null 2>&1").exitCode == 0;
}
