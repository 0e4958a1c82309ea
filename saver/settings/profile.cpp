#include "settings/profile.h"

#include <vector>

#include "path_helpers.h"

namespace qg {
namespace profile {
namespace {

struct Line {
  std::size_t start = 0;  // first byte of the content
  std::size_t end = 0;    // one past the content
  std::size_t next = 0;   // one past the line end (CR, LF or CRLF)
};

std::vector<Line> SplitLines(const std::string& t, std::size_t from) {
  std::vector<Line> lines;
  std::size_t i = from, n = t.size();
  while (i < n) {
    Line l;
    l.start = i;
    while (i < n && t[i] != '\r' && t[i] != '\n') ++i;
    l.end = i;
    if (i < n && t[i] == '\r') ++i;
    if (i < n && t[i] == '\n' && (i == l.end || t[i - 1] == '\r')) ++i;
    l.next = i;
    lines.push_back(l);
  }
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  std::size_t a = 0, b = s.size();
  while (a < b && IsBlank(s[a])) ++a;
  while (b > a && IsBlank(s[b - 1])) --b;
  return s.substr(a, b - a);
}

enum class Kind { Blank, Section, Comment, Entry, Other };

struct Parsed {
  Kind kind = Kind::Other;
  std::string name;   // section or key
  std::string value;  // entry value, trimmed and unquoted
};

Parsed Parse(const std::string& t, const Line& l) {
  Parsed p;
  std::string s = Trim(t.substr(l.start, l.end - l.start));
  if (s.empty()) {
    p.kind = Kind::Blank;
  } else if (s[0] == '[') {
    p.kind = Kind::Section;
    std::size_t close = s.find(']');
    p.name = Trim(s.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  } else if (s[0] == ';') {
    p.kind = Kind::Comment;
  } else {
    std::size_t eq = s.find('=');
    if (eq == std::string::npos) {
      p.kind = Kind::Other;
    } else {
      p.kind = Kind::Entry;
      p.name = Trim(s.substr(0, eq));
      std::string v = Trim(s.substr(eq + 1));
      if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
      p.value = v;
    }
  }
  return p;
}

std::size_t BodyStart(const std::string& t) { return HasUtf8Bom(t) ? 3 : 0; }

char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : char(c); }

}  // namespace

bool HasUtf8Bom(const std::string& t) {
  return t.size() >= 3 && (unsigned char)t[0] == 0xEF && (unsigned char)t[1] == 0xBB && (unsigned char)t[2] == 0xBF;
}

bool NamesEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char ca = (unsigned char)a[i], cb = (unsigned char)b[i];
    if (IsCp932LeadByte(ca) && i + 1 < a.size()) {
      if (ca != cb || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (Fold(ca) != Fold(cb)) return false;
  }
  return true;
}

std::optional<std::string> GetValue(const std::string& text, const std::string& section, const std::string& key) {
  bool in_section = NamesEqual(section, "");  // entries before any header form the nameless section
  bool seen_section = in_section;
  for (const Line& l : SplitLines(text, BodyStart(text))) {
    Parsed p = Parse(text, l);
    if (p.kind == Kind::Section) {
      if (seen_section) {
        if (in_section) return std::nullopt;  // only the first matching section is searched
      }
      in_section = NamesEqual(p.name, section);
      seen_section = seen_section || in_section;
      continue;
    }
    if (in_section && p.kind == Kind::Entry && NamesEqual(p.name, key)) return p.value;
  }
  return std::nullopt;
}

std::string SetValue(const std::string& text, const std::string& section, const std::string& key,
                     const std::string& value) {
  static const char kEol[] = "\r\n";
  std::vector<Line> lines = SplitLines(text, BodyStart(text));
  // Find the first matching section's block.
  bool nameless = section.empty();
  std::size_t header = std::string::npos, block_begin = 0, block_end = lines.size();
  if (nameless) {
    header = 0;
    block_begin = 0;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Parsed p = Parse(text, lines[i]);
    if (p.kind != Kind::Section) continue;
    if (header != std::string::npos) {
      block_end = i;
      break;
    }
    if (NamesEqual(p.name, section)) {
      header = i;
      block_begin = i + 1;
    }
  }
  if (header == std::string::npos) {
    // New section at the end of the file.
    std::string out = text;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r' && out.size() > BodyStart(text)) out += kEol;
    out += "[" + section + "]" + kEol + key + "=" + value + kEol;
    return out;
  }
  std::size_t last_content = std::string::npos;  // last non-blank line of the block
  for (std::size_t i = block_begin; i < block_end; ++i) {
    Parsed p = Parse(text, lines[i]);
    if (p.kind == Kind::Entry && NamesEqual(p.name, key)) {
      // Replace this line in place, keeping the key as the file spells it.
      return text.substr(0, lines[i].start) + p.name + "=" + value + kEol + text.substr(lines[i].next);
    }
    if (p.kind != Kind::Blank) last_content = i;
  }
  std::size_t insert_at;
  bool needs_eol = false;
  if (last_content != std::string::npos) {
    insert_at = lines[last_content].next;
    needs_eol = lines[last_content].next == lines[last_content].end;
  } else if (!nameless) {
    insert_at = lines[header].next;
    needs_eol = lines[header].next == lines[header].end;
  } else {
    insert_at = BodyStart(text);
  }
  std::string line = key + "=" + value + kEol;
  if (needs_eol) line = std::string(kEol) + line;
  return text.substr(0, insert_at) + line + text.substr(insert_at);
}

}  // namespace profile
}  // namespace qg
