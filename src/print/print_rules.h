// The arithmetic of a printed page, apart from any device.
#pragma once

#include <cstdint>

namespace pinlark {

// The memo font's height on the printer: height × printer dots per inch ÷ screen dots per
// inch, truncated towards zero. The product is taken in 64 bits and the result kept within
// 32 bits, so no height read from a hand-edited settings file can overflow; with no screen
// resolution the height stays as it is.
int32_t PrinterFontHeight(int32_t height, int32_t printerDpi, int32_t screenDpi);

// The gap above and below the line after each memo of a print-all: a tenth of an inch.
inline int32_t PrintGap(int32_t printerDpi) { return printerDpi / 10; }

}  // namespace pinlark
