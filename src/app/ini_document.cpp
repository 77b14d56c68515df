#include "app/ini_document.h"

#include <utility>

#include "app/byte_search.h"

namespace pinlark {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view Trim(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  size_t e = s.size();
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

size_t SkipBlanks(std::string_view s, size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}

// A section or key name as the lookups use it: trimmed, and nothing when no line could ever
// carry it (a key line is cut at its first '=', a section name at its first ']').
std::optional<std::string_view> UsableSection(std::string_view section) {
  section = Trim(section);
  if (HasLineBreakOrNul(section) || section.find(']') != std::string_view::npos) {
    return std::nullopt;
  }
  return section;
}

std::optional<std::string_view> UsableKey(std::string_view key) {
  key = Trim(key);
  if (key.empty() || HasLineBreakOrNul(key) || key.find('=') != std::string_view::npos ||
      key.front() == '[' || key.front() == ';') {
    return std::nullopt;
  }
  return key;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

// The name of a section line "[name]" (blanks allowed before '[' and around the name, anything
// after the first ']'). A '[' with no ']' on its line does not start a section.
std::optional<std::string_view> SectionName(std::string_view text) {
  size_t p = SkipBlanks(text, 0);
  if (p >= text.size() || text[p] != '[') return std::nullopt;
  size_t close = text.find(']', p + 1);
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(p + 1, close - p - 1));
}

// The key of a key line (not a section, not a comment, with an '='; the key may be empty).
std::optional<std::string_view> KeyName(std::string_view text) {
  size_t p = SkipBlanks(text, 0);
  if (p >= text.size() || text[p] == ';' || text[p] == '[') return std::nullopt;
  size_t eq = text.find('=', p);
  if (eq == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(p, eq - p));
}

// Where the value of a key line starts: after the first '=' and the blanks after it.
size_t ValueStart(std::string_view text) { return SkipBlanks(text, text.find('=') + 1); }

std::string_view StripQuotes(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

}  // namespace

IniDocument::IniDocument(const IniDocument& other)
    : bytes_(other.bytes_), bom_(other.bom_), lines_(other.lines_) {
  BuildIndex();
}

IniDocument& IniDocument::operator=(const IniDocument& other) {
  if (this != &other) {
    bytes_ = other.bytes_;
    bom_ = other.bom_;
    lines_ = other.lines_;
    BuildIndex();
  }
  return *this;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  return Parse(std::make_shared<const std::string>(bytes));
}

// The lines point into the bytes instead of copying them: a settings file is mostly a few
// long memo lines, and copying megabytes into line strings costs more than the rest of a save.
IniDocument IniDocument::Parse(std::shared_ptr<const std::string> shared) {
  IniDocument doc;
  doc.bytes_ = shared ? std::move(shared) : std::make_shared<const std::string>();
  std::string_view bytes = *doc.bytes_;
  if (bytes.substr(0, kBom.size()) == kBom) {
    doc.bom_ = bytes.substr(0, kBom.size());
    bytes.remove_prefix(kBom.size());
  }
  size_t pos = 0;
  while (pos < bytes.size()) {
    const size_t found = FindByte(bytes.substr(pos), '\n');
    Line& line = doc.lines_.emplace_back();
    if (found == std::string_view::npos) {
      line.read = bytes.substr(pos);
      pos = bytes.size();
    } else {
      size_t lf = pos + found;
      size_t end = (lf > pos && bytes[lf - 1] == '\r') ? lf - 1 : lf;
      line.read = bytes.substr(pos, end - pos);
      line.end = bytes.substr(end, lf + 1 - end);
      pos = lf + 1;
    }
  }
  doc.BuildIndex();
  return doc;
}

void IniDocument::BuildIndex() {
  sections_.clear();
  Section* current = nullptr;  // lines before the first section belong to none
  bool first = false;
  for (auto it = lines_.begin(); it != lines_.end(); ++it) {
    const std::string_view text = it->Text();
    if (std::optional<std::string_view> name = SectionName(text)) {
      auto [entry, added] = sections_.try_emplace(Lower(*name));
      current = &entry->second;
      first = added;
      if (added) current->header = it;
      continue;
    }
    if (current == nullptr) continue;
    std::optional<std::string_view> key = KeyName(text);
    if (!key) continue;
    if (first) {
      current->last_key = it;
      current->has_key = true;
    }
    current->keys[Lower(*key)].push_back(KeyLine{it, first});
  }
}

std::string IniDocument::Serialize() const {
  size_t size = bom_.size();
  for (const Line& line : lines_) size += line.Text().size() + line.end.size();
  std::string out;
  out.reserve(size);
  Serialize([&out](std::string_view piece) {
    out += piece;
    return true;
  });
  return out;
}

bool IniDocument::Serialize(const std::function<bool(std::string_view)>& put) const {
  // Pieces that lie next to each other in memory (lines as they were read, with their line
  // ends) go out as one.
  const char* start = bom_.data();
  size_t size = bom_.size();
  auto add = [&](std::string_view piece) {
    if (piece.empty()) return true;
    if (size != 0 && piece.data() == start + size) {
      size += piece.size();
      return true;
    }
    if (size != 0 && !put(std::string_view(start, size))) return false;
    start = piece.data();
    size = piece.size();
    return true;
  };
  for (const Line& line : lines_) {
    if (!add(line.Text()) || !add(line.end)) return false;
  }
  return size == 0 || put(std::string_view(start, size));
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  std::optional<std::string_view> sec = UsableSection(section);
  std::optional<std::string_view> k = UsableKey(key);
  if (!sec || !k) return std::nullopt;
  auto s = sections_.find(Lower(*sec));
  if (s == sections_.end()) return std::nullopt;
  auto found = s->second.keys.find(Lower(*k));
  if (found == s->second.keys.end() || !found->second.front().in_first_section) {
    return std::nullopt;
  }
  std::string_view text = found->second.front().line->Text();
  return std::string(StripQuotes(Trim(text.substr(ValueStart(text)))));
}

std::string IniDocument::GetString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
  std::optional<std::string> value = Find(section, key);
  return value ? std::move(*value) : std::string(def);
}

int32_t IniDocument::GetInt(std::string_view section, std::string_view key, int32_t def) const {
  std::optional<std::string> value = Find(section, key);
  if (!value || value->empty()) return def;
  std::string_view s = *value;
  size_t i = SkipBlanks(s, 0);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  uint32_t base = 10;
  if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  uint32_t n = 0;  // unsigned, so overflow wraps modulo 2^32 as the profile functions do
  for (; i < s.size(); ++i) {
    char c = AsciiLower(s[i]);
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else {
      break;
    }
    n = n * base + digit;
  }
  if (negative) n = 0u - n;
  return static_cast<int32_t>(n);
}

// The line a new one follows must end with a line break of its own.
void IniDocument::EndLine(Lines::iterator line) {
  if (line->end.empty()) line->end = kCrLf;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::optional<std::string_view> sec = UsableSection(section);
  std::optional<std::string_view> k = UsableKey(key);
  if (!sec || !k || HasLineBreakOrNul(value)) return false;

  auto new_line = [&] {
    Line added;
    std::string& text = added.changed.emplace();
    text.reserve(k->size() + 1 + value.size());
    text.append(k->data(), k->size()).append(1, '=').append(value.data(), value.size());
    added.end = kCrLf;
    return added;
  };

  auto [s, new_section] = sections_.try_emplace(Lower(*sec));
  Section& entry = s->second;
  if (new_section) {
    if (!lines_.empty()) EndLine(std::prev(lines_.end()));
    Line head;
    std::string& text = head.changed.emplace();
    text.reserve(sec->size() + 2);
    text.append(1, '[').append(sec->data(), sec->size()).append(1, ']');
    head.end = kCrLf;
    entry.header = lines_.insert(lines_.end(), std::move(head));
    entry.last_key = lines_.insert(lines_.end(), new_line());
    entry.has_key = true;
    entry.keys[Lower(*k)].push_back(KeyLine{entry.last_key, true});
    return true;
  }

  KeyLines& same = entry.keys[Lower(*k)];
  if (!same.empty() && same.front().in_first_section) {
    // Keep the key's spelling and the blanks around '='; replace only the value. A save sets
    // every key it owns, mostly to the value the file already holds: that costs no copy.
    Line& line = *same.front().line;
    const std::string_view text = line.Text();
    const size_t start = ValueStart(text);
    if (text.substr(start) == value) return true;
    std::string changed;
    changed.reserve(start + value.size());
    changed.append(text.data(), start).append(value.data(), value.size());
    line.changed = std::move(changed);
    return true;
  }
  // Lines of this key can only be in later sections of the name, so this one comes first.
  Lines::iterator after = entry.has_key ? entry.last_key : entry.header;
  EndLine(after);
  entry.last_key = lines_.insert(std::next(after), new_line());
  entry.has_key = true;
  same.push_front(KeyLine{entry.last_key, true});
  return true;
}

void IniDocument::Remove(std::string_view section, std::string_view key) {
  std::optional<std::string_view> sec = UsableSection(section);
  std::optional<std::string_view> k = UsableKey(key);
  if (!sec || !k) return;
  auto s = sections_.find(Lower(*sec));
  if (s == sections_.end()) return;
  Section& entry = s->second;
  auto found = entry.keys.find(Lower(*k));
  if (found == entry.keys.end()) return;
  found->second.ForEach([&](const KeyLine& key_line) {
    if (entry.has_key && key_line.line == entry.last_key) {
      // New keys go after the key line before it, or after the header when there is none.
      entry.has_key = false;
      for (auto it = key_line.line; it != entry.header;) {
        --it;
        if (it != entry.header && KeyName(it->Text())) {
          entry.last_key = it;
          entry.has_key = true;
          break;
        }
      }
    }
    lines_.erase(key_line.line);
  });
  entry.keys.erase(found);
}

}  // namespace pinlark
