// An INI file held as its lines, read and changed under the rules of the Windows profile
// functions. Lines the program does not own (other sections, unknown keys, comments, blank
// lines) are kept byte for byte, so a save changes only the keys it sets or removes.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pinlark {

class IniDocument {
 public:
  IniDocument() = default;
  // Copies rebuild the look-up index (it points into the lines); moves keep it.
  IniDocument(const IniDocument& other);
  IniDocument& operator=(const IniDocument& other);
  IniDocument(IniDocument&&) = default;
  IniDocument& operator=(IniDocument&&) = default;

  // Takes the bytes of a file as they are (any code page, CR LF or LF line ends, a UTF-8
  // byte-order mark is kept and skipped).
  static IniDocument Parse(std::string_view bytes);
  // The same without a copy: the document (and its copies) keep the bytes and point into them;
  // the caller must not change them while it holds the pointer as well.
  static IniDocument Parse(std::shared_ptr<const std::string> bytes);
  // The file's bytes: unchanged lines as they were read, new lines ended with CR LF.
  std::string Serialize() const;
  // The same bytes handed to `put` piece by piece, in order, without building them in one
  // string; unchanged lines that follow each other come as one piece. Stops and returns false
  // as soon as `put` returns false.
  bool Serialize(const std::function<bool(std::string_view)>& put) const;

  // Section and key are matched without regard to ASCII case; the first matching section and
  // the first matching key in it count. The value has its surrounding blanks and one pair of
  // matching surrounding quotes (double or single) taken off. Nothing when the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // The value, or `def` when the key is missing.
  std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
  // The integer of the value under the profile rules: blanks, a sign, then digits (decimal, or
  // hexadecimal after 0x); digits stop at the first other character; a value with no digits is
  // 0; the value wraps modulo 2^32. `def` when the key is missing or its value is empty.
  int32_t GetInt(std::string_view section, std::string_view key, int32_t def) const;

  // Sets the first matching key in place (its line keeps its position and its spelling of the
  // key); otherwise adds "key=value" after the last key of the section, and a missing section
  // at the end of the file. Returns false and changes nothing when the key is empty or the key
  // or value holds a line break or NUL, or the key holds '=' or starts with '[' or ';', or the
  // section holds ']', a line break or NUL. Setting the value a key already has changes nothing.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of that key in every matching section; nothing when it is missing.
  void Remove(std::string_view section, std::string_view key);

 private:
  struct Line {
    // The line without its line end: in bytes_ as it was read, or in `changed` once set.
    std::string_view read;
    std::optional<std::string> changed;
    std::string_view end;  // "\r\n", "\n" or "" (last line without one); in bytes_ or static
    std::string_view Text() const { return changed ? std::string_view(*changed) : read; }
  };
  // A list, so lines can be added and removed without moving the others and the index below
  // stays valid.
  using Lines = std::list<Line>;
  struct KeyLine {
    Lines::iterator line;
    bool in_first_section;  // only those can be read or set
  };
  // The lines of one key, in file order: nearly always one, held without an allocation of its
  // own (every save indexes the thousand keys of the memos).
  class KeyLines {
   public:
    bool empty() const { return count_ == 0; }
    const KeyLine& front() const { return first_; }
    void push_back(const KeyLine& key_line) {
      if (count_++ == 0) {
        first_ = key_line;
      } else {
        more_.push_back(key_line);
      }
    }
    void push_front(const KeyLine& key_line) {
      if (count_++ != 0) more_.insert(more_.begin(), first_);
      first_ = key_line;
    }
    template <typename Visit>
    void ForEach(Visit visit) const {
      if (count_ != 0) visit(first_);
      for (const KeyLine& key_line : more_) visit(key_line);
    }

   private:
    KeyLine first_{};
    std::vector<KeyLine> more_;
    size_t count_ = 0;
  };
  // Every section of one name (compared in lower case) and the key lines in them.
  struct Section {
    Lines::iterator header;    // of the first section of that name
    Lines::iterator last_key;  // its last key line, where new keys go; valid when has_key
    bool has_key = false;
    std::unordered_map<std::string, KeyLines> keys;  // lower-case key, file order
  };

  void BuildIndex();
  void EndLine(Lines::iterator line);

  // The bytes the document was parsed from; lines point into them. Shared by copies: they are
  // never changed.
  std::shared_ptr<const std::string> bytes_;
  std::string_view bom_;
  Lines lines_;
  std::unordered_map<std::string, Section> sections_;
};

}  // namespace pinlark
