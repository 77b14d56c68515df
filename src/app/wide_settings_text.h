// A settings file that an editor saved as UTF-16 with its byte-order mark, as the Windows
// profile functions read it: each line in the system's code page for the document, and written
// back whole in its own encoding, so the file never holds two encodings. Lines that come back
// unchanged are written as the file's own bytes, so characters the code page lacks survive.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pinlark {

enum class TextEncoding { kAnsi, kUtf16Le, kUtf16Be };

// The encoding the file's byte-order mark names. Without one, or with a UTF-8 one (which the
// document keeps as it is), the bytes are code page text.
TextEncoding EncodingOf(std::string_view bytes);

// The system's code page conversions: each appends the converted text to its second argument.
struct CodePageConversion {
  std::function<void(std::u16string_view, std::string*)> toAnsi;
  std::function<void(std::string_view, std::u16string*)> fromAnsi;
};

class WideSettingsText {
 public:
  // `bytes` (byte-order mark included) in `encoding`, which is not kAnsi.
  WideSettingsText(std::shared_ptr<const std::string> bytes, TextEncoding encoding,
                   const CodePageConversion& conversion);

  // The code page text for the document: every line converted on its own, line ends as read.
  const std::shared_ptr<const std::string>& Ansi() const { return ansi_; }

  // The file's byte-order mark, the first bytes to write.
  std::string_view Bom() const;
  // The file's bytes for one piece of the document's serialization, handed to `put`. A piece
  // of whole lines as Ansi() holds them comes out as the file's own bytes for those lines; any
  // other piece is converted. Returns what `put` returns.
  bool Put(std::string_view piece, const std::function<bool(std::string_view)>& put) const;

 private:
  void AppendUnits(std::u16string_view units, std::string* out) const;

  std::shared_ptr<const std::string> bytes_;
  TextEncoding encoding_;
  CodePageConversion conversion_;
  std::shared_ptr<const std::string> ansi_;
  // Where each line and each line end starts, and where the text ends: (offset in ansi_,
  // offset in bytes_), ascending in both.
  std::vector<std::pair<size_t, size_t>> starts_;
};

}  // namespace pinlark
