#include "print/print_rules.h"

namespace pinlark {

int32_t PrinterFontHeight(int32_t height, int32_t printerDpi, int32_t screenDpi) {
  if (screenDpi == 0) return height;
  const int64_t scaled = int64_t{height} * printerDpi / screenDpi;  // truncates towards zero
  if (scaled > INT32_MAX) return INT32_MAX;
  if (scaled < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(scaled);
}

}  // namespace pinlark
