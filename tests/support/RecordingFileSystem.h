// The machine's file system, keeping count of what the program does with files: every
// open (by file name, in order), every write, removal and rename, and the files still
// open.
#pragma once

#include <QFileInfo>
#include <QStringList>
#include <map>
#include <memory>

#include "xbase/FileSystem.h"

class RecordingFileSystem : public xbase::FileSystem {
 public:
  std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenMode mode,
                                    xbase::LockMode lock, int* error) override {
    auto file = posix().open(path, mode, lock, error);
    if (!file) return nullptr;
    opened.append(nameOf(path));
    if (mode != xbase::OpenMode::ReadOnly) openedForWork.append(nameOf(path));
    return std::make_unique<CountingFile>(std::move(file), *this, nameOf(path));
  }
  bool exists(const std::string& path) override { return posix().exists(path); }
  bool remove(const std::string& path) override {
    changed.append(QStringLiteral("remove ") + nameOf(path));
    return posix().remove(path);
  }
  bool rename(const std::string& from, const std::string& to) override {
    changed.append(QStringLiteral("rename ") + nameOf(from) + QStringLiteral(" ") + nameOf(to));
    return posix().rename(from, to);
  }
  std::string resolve(const std::string& path) override { return posix().resolve(path); }

  // The names of the tables (".dbf" files) opened to work on, in order; the end of a
  // command reopening a table only to sync it to disk is not among them.
  QStringList tablesOpened() const {
    return openedForWork.filter(QStringLiteral(".dbf"), Qt::CaseInsensitive);
  }
  int writesTo(const QString& name) const {
    auto it = writes.find(name.toLower());
    return it == writes.end() ? 0 : it->second;
  }
  void clear() {
    opened.clear();
    openedForWork.clear();
    changed.clear();
    writes.clear();
  }

  QStringList opened;             // file names, in the order opened
  QStringList openedForWork;      // those opened for writing, in order
  QStringList changed;            // removals and renames
  std::map<QString, int> writes;  // write calls per lower-case file name
  int openFiles = 0;              // files opened and not yet closed

 private:
  static QString nameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
  }

  class CountingFile : public xbase::File {
   public:
    CountingFile(std::unique_ptr<xbase::File> file, RecordingFileSystem& fs, QString name)
        : file_(std::move(file)), fs_(fs), name_(name.toLower()) {
      ++fs_.openFiles;
    }
    ~CountingFile() override { --fs_.openFiles; }
    long long read(std::uint64_t offset, void* buf, std::size_t n) override {
      return file_->read(offset, buf, n);
    }
    bool write(std::uint64_t offset, const void* buf, std::size_t n) override {
      ++fs_.writes[name_];
      return file_->write(offset, buf, n);
    }
    long long size() override { return file_->size(); }
    bool truncate(std::uint64_t size) override {
      ++fs_.writes[name_];
      return file_->truncate(size);
    }
    bool sync() override { return file_->sync(); }

   private:
    std::unique_ptr<xbase::File> file_;
    RecordingFileSystem& fs_;
    QString name_;
  };
};
