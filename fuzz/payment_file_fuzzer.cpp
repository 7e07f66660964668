// Reads the input as a Billwise payment file through the import's own reader (a real
// file in a private temporary directory, since the import opens files by path) and
// checks what it hands back.
#include <unistd.h>

#include <QDate>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "PaymentFile.h"

namespace {

// Made once; removed again when the fuzzer exits.
char gDirectory[] = "/tmp/payment_fuzzer.XXXXXX";

void removeDirectory() {
  std::remove((std::string(gDirectory) + "/gstpmt.dbf").c_str());
  rmdir(gDirectory);
}

const std::string& directory() {
  static const std::string dir = [] {
    if (mkdtemp(gDirectory) == nullptr) __builtin_trap();
    std::atexit(removeDirectory);
    return std::string(gDirectory);
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = directory() + "/gstpmt.dbf";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
    __builtin_trap();

  const QDate first(1900, 1, 1);
  const QDate last(2099, 12, 31);
  const PaymentFile::Result result = PaymentFile::Read(QString::fromStdString(directory()),
                                                       QStringLiteral("gstpmt.dbf"), first, last);
  // A refusal always says why; an import only holds payments of the range, in order.
  if (result.ok != result.message.isEmpty()) __builtin_trap();
  if (!result.ok && !result.payments.empty()) __builtin_trap();
  long previous = 0;
  for (const Payment& payment : result.payments) {
    if (payment.record <= previous || !payment.date.isValid() || payment.date < first ||
        payment.date > last)
      __builtin_trap();
    previous = payment.record;
  }
  return 0;
}
