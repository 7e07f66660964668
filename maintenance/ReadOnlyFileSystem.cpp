#include "ReadOnlyFileSystem.h"

#include "xbase/Status.h"

std::unique_ptr<xbase::File> ReadOnlyFileSystem::open(const std::string& path, xbase::OpenMode mode,
                                                      xbase::LockMode lock, int* error) {
  if (mode == xbase::OpenMode::Create) {
    *error = xbase::kErrCreate;
    return nullptr;
  }
  return base_.open(path, xbase::OpenMode::ReadOnly, lock, error);
}
