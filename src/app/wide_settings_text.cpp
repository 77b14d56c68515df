#include "app/wide_settings_text.h"

#include <algorithm>

namespace pinlark {
namespace {

constexpr size_t kBomBytes = 2;

}  // namespace

TextEncoding EncodingOf(std::string_view bytes) {
  if (bytes.substr(0, kBomBytes) == "\xFF\xFE") return TextEncoding::kUtf16Le;
  if (bytes.substr(0, kBomBytes) == "\xFE\xFF") return TextEncoding::kUtf16Be;
  return TextEncoding::kAnsi;
}

WideSettingsText::WideSettingsText(std::shared_ptr<const std::string> bytes, TextEncoding encoding,
                                   const CodePageConversion& conversion)
    : bytes_(std::move(bytes)), encoding_(encoding), conversion_(conversion) {
  const std::string& in = *bytes_;
  const bool little = encoding_ == TextEncoding::kUtf16Le;
  std::u16string units;
  units.reserve(in.size() / 2);
  for (size_t i = kBomBytes; i + 1 < in.size(); i += 2) {
    const auto low = static_cast<unsigned char>(in[little ? i : i + 1]);
    const auto high = static_cast<unsigned char>(in[little ? i + 1 : i]);
    units.push_back(static_cast<char16_t>(high << 8 | low));
  }
  // Lines end as the document's do: at each LF, a CR before it belonging to the line end.
  auto ansi = std::make_shared<std::string>();
  const std::u16string_view all(units);
  size_t pos = 0;
  while (pos < all.size()) {
    size_t lf = all.find(u'\n', pos);
    size_t next = lf == std::u16string_view::npos ? all.size() : lf + 1;
    size_t end = lf == std::u16string_view::npos ? all.size()
                 : (lf > pos && all[lf - 1] == u'\r') ? lf - 1
                                                      : lf;
    starts_.emplace_back(ansi->size(), kBomBytes + 2 * pos);
    conversion_.toAnsi(all.substr(pos, end - pos), ansi.get());
    starts_.emplace_back(ansi->size(), kBomBytes + 2 * end);
    ansi->append(end + 1 < next ? "\r\n" : end < next ? "\n" : "");
    pos = next;
  }
  // An odd byte at the end is half a character: it is not written back, as lines added after
  // it would come out of step.
  starts_.emplace_back(ansi->size(), kBomBytes + 2 * all.size());
  ansi_ = std::move(ansi);
}

std::string_view WideSettingsText::Bom() const {
  return std::string_view(*bytes_).substr(0, kBomBytes);
}

void WideSettingsText::AppendUnits(std::u16string_view units, std::string* out) const {
  const bool little = encoding_ == TextEncoding::kUtf16Le;
  out->reserve(out->size() + 2 * units.size());
  for (char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    out->push_back(little ? low : high);
    out->push_back(little ? high : low);
  }
}

bool WideSettingsText::Put(std::string_view piece,
                           const std::function<bool(std::string_view)>& put) const {
  const std::string& ansi = *ansi_;
  const auto at = [&](size_t offset) {
    auto found = std::lower_bound(starts_.begin(), starts_.end(), std::make_pair(offset, size_t{0}));
    return found != starts_.end() && found->first == offset ? found : starts_.end();
  };
  if (!piece.empty() && piece.data() >= ansi.data() && piece.data() + piece.size() <= ansi.data() + ansi.size()) {
    const size_t from = static_cast<size_t>(piece.data() - ansi.data());
    const auto first = at(from);
    const auto last = at(from + piece.size());
    if (first != starts_.end() && last != starts_.end()) {
      return put(std::string_view(*bytes_).substr(first->second, last->second - first->second));
    }
  }
  std::u16string units;
  conversion_.fromAnsi(piece, &units);
  std::string out;
  AppendUnits(units, &out);
  return put(out);
}

}  // namespace pinlark
