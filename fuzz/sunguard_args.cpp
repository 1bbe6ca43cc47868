// Fuzz target: the argument scan of sunguard (scan_arguments), on argument
// vectors cut from the input at NUL bytes.
//
// Properties checked: fewer than two arguments, and only then, is a usage
// answer; an accepted instant has every field inside its range; a refusal
// always has its message.  The arguments
// sit in heap blocks of exactly their size, so that a field scan running
// past an argument's end is caught.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "sunguard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  const kit_fuzz::Arguments args("sunguard", data, size, 4);
  CivilDateTime when{};
  const ArgumentScan scan = scan_arguments(args.argc(), args.argv(), &when);
  if (args.argc() < 3) {
    FUZZ_CHECK(scan == ArgumentScan::usage);
    return 0;
  }
  FUZZ_CHECK(scan != ArgumentScan::usage);
  if (scan == ArgumentScan::valid) {
    FUZZ_CHECK(when.day >= 1 && when.day <= 31);
    FUZZ_CHECK(when.month >= 1 && when.month <= 12);
    FUZZ_CHECK(when.year >= 2000 && when.year <= 2100);
    FUZZ_CHECK(when.hour >= 0 && when.hour <= 23);
    FUZZ_CHECK(when.minute >= 0 && when.minute <= 59);
  } else {
    FUZZ_CHECK(scan_message(scan) != nullptr);
  }
  return 0;
}
