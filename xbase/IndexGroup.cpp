#include "IndexGroup.h"

#include <algorithm>
#include <cctype>

#include "xbase/Status.h"

namespace xbase {
namespace {

// A group file is a short list; anything larger is not one of ours.
constexpr long long kMaxGroupFileSize = 64 * 1024;

std::string trimmed(const std::string& s) {
  auto begin =
      std::find_if_not(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); });
  auto end =
      std::find_if_not(s.rbegin(), s.rend(), [](unsigned char c) { return std::isspace(c); });
  return begin < end.base() ? std::string(begin, end.base()) : std::string();
}

bool endsWithNtx(const std::string& s) {
  if (s.size() < 4) return false;
  std::string tail = s.substr(s.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return tail == ".ntx";
}

}  // namespace

int readIndexGroup(FileSystem& fs, const std::string& path, std::vector<std::string>* tagNames) {
  int error = kSuccess;
  auto file = fs.open(path, OpenMode::ReadOnly, LockMode::None, &error);
  if (!file) return kErrOpen;
  long long size = file->size();
  if (size < 0 || size > kMaxGroupFileSize) return kErrRead;
  std::string text(static_cast<size_t>(size), '\0');
  if (size > 0 && file->read(0, text.data(), text.size()) != size) return kErrRead;
  tagNames->clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string name = trimmed(text.substr(start, end - start));
    if (endsWithNtx(name)) name.resize(name.size() - 4);
    if (!name.empty()) tagNames->push_back(name);
    start = end + 1;
  }
  return kSuccess;
}

int writeIndexGroup(FileSystem& fs, const std::string& path,
                    const std::vector<std::string>& tagNames) {
  int error = kSuccess;
  auto file = fs.open(path, OpenMode::Create, LockMode::None, &error);
  if (!file) return kErrCreate;
  std::string text;
  for (const auto& name : tagNames) text += name + "\r\n";
  if (!file->write(0, text.data(), text.size())) return kErrWrite;
  return file->sync() ? kSuccess : kErrWrite;
}

}  // namespace xbase
