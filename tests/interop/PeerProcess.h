// Runs the independent cross-check programs (Perl XBase, Python dbf) that the interop
// tests compare the engine with.
#pragma once

#include <string>

struct PeerResult {
  int exitCode = -1;  // the command's exit status; -1 when it could not run at all
  std::string out;    // everything it wrote to stdout
};

// Runs command through /bin/sh and collects its stdout (stderr passes through to the
// test log).
PeerResult runPeer(const std::string& command);

// Quotes text as one shell word.
std::string shellWord(const std::string& text);

// The path of a script committed beside the interop tests.
std::string peerScript(const std::string& name);

// Whether perl with XBase and XBase::Index, or Debian's /usr/bin/python3 with the dbf
// module, can run.
bool perlXBaseAvailable();
bool pythonDbfAvailable();

// The interpreter the Python peer runs under: Debian's, where python3-dbf lives, and
// not whatever python3 comes first on PATH.
inline constexpr char kPeerPython[] = "/usr/bin/python3";
