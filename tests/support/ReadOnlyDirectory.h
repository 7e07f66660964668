// Takes write permission from a directory and every file in it for the object's life:
// directory r-x and files r-- for everyone, so a child run as nobody (see ChildProcess.h)
// can read the books but change nothing. The old permissions come back at the end.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class ReadOnlyDirectory {
 public:
  explicit ReadOnlyDirectory(const std::string& directory) : directory_(directory) {
    namespace fs = std::filesystem;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory_)) {
      if (!entry.is_regular_file()) continue;
      restore_.emplace_back(entry.path(), entry.status().permissions());
      fs::permissions(entry.path(), readAll);
    }
    restore_.emplace_back(directory_, fs::status(directory_).permissions());
    fs::permissions(directory_, readAll | fs::perms::owner_exec | fs::perms::group_exec |
                                    fs::perms::others_exec);
  }
  ~ReadOnlyDirectory() {
    std::error_code ignored;
    for (auto it = restore_.rbegin(); it != restore_.rend(); ++it) {
      std::filesystem::permissions(it->first, it->second, ignored);
    }
  }
  ReadOnlyDirectory(const ReadOnlyDirectory&) = delete;
  ReadOnlyDirectory& operator=(const ReadOnlyDirectory&) = delete;

 private:
  static constexpr std::filesystem::perms readAll = std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::group_read |
                                                    std::filesystem::perms::others_read;
  std::filesystem::path directory_;
  // The directory last, so it is given back first.
  std::vector<std::pair<std::filesystem::path, std::filesystem::perms>> restore_;
};
