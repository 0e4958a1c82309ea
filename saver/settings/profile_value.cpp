#include "settings/profile_value.h"

namespace qg {
namespace {

const char kMarker[] = "\xEF\xBB\xBF";

bool StartsWithMarker(const std::string& s) { return s.compare(0, 3, kMarker) == 0 && s.size() >= 3; }

bool NeedsEscape(unsigned char c) { return c < 0x21 || c == '%' || c == '"' || c == '\'' || c == 0x7F; }

// Would the profile reader give these bytes back exactly?
bool ReadsBackUnchanged(const std::string& b) {
  if (b.empty()) return true;
  for (char c : b)
    if (c == '\r' || c == '\n' || c == '\0') return false;
  if (b.front() == ' ' || b.front() == '\t' || b.back() == ' ' || b.back() == '\t') return false;
  if (b.size() >= 2 && (b.front() == '"' || b.front() == '\'') && b.back() == b.front()) return false;
  if (StartsWithMarker(b)) return false;
  return true;
}

std::string Escape(const std::string& value) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out = kMarker;
  for (unsigned char c : value) {
    if (NeedsEscape(c)) {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += char(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 3; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
      out += char(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

}  // namespace

bool IsValidUtf8(const std::string& s) {
  std::size_t i = 0, n = s.size();
  while (i < n) {
    unsigned char c = (unsigned char)s[i];
    int len;
    unsigned int cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4, cp = c & 0x07;
    } else {
      return false;
    }
    if (i + std::size_t(len) > n) return false;
    for (int k = 1; k < len; ++k) {
      unsigned char t = (unsigned char)s[i + std::size_t(k)];
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += std::size_t(len);
  }
  return true;
}

std::string EncodeProfileValue(const std::string& value, CodePage& cp, bool utf8_file) {
  if (IsValidUtf8(value)) {
    std::string bytes;
    bool ok = utf8_file ? (bytes = value, true) : cp.FromUtf8(value, bytes);
    if (ok && ReadsBackUnchanged(bytes)) {
      std::string back;
      if (utf8_file || (cp.ToUtf8(bytes, back) && back == value)) return bytes;
    }
  }
  return Escape(value);
}

std::string DecodeProfileValue(const std::string& bytes, CodePage& cp, bool utf8_file) {
  if (StartsWithMarker(bytes)) return Unescape(bytes);
  if (utf8_file) return bytes;
  std::string utf8;
  if (cp.ToUtf8(bytes, utf8)) return utf8;
  // Not code page 932: bytes some other program wrote. UTF-8 is kept as it
  // is; anything else keeps its ASCII and marks the rest.
  if (IsValidUtf8(bytes)) return bytes;
  std::string out;
  for (unsigned char c : bytes) out += c < 0x80 ? std::string(1, char(c)) : std::string("\xEF\xBF\xBD");
  return out;
}

bool EncodeProfileName(const std::string& name, CodePage& cp, bool utf8_file, std::string& bytes) {
  if (utf8_file) {
    bytes = name;
    return IsValidUtf8(name);
  }
  return cp.FromUtf8(name, bytes);
}

namespace {

// The first n characters of a UTF-8 text.
std::string CutCharacters(const std::string& s, std::size_t n) {
  std::size_t i = 0, count = 0;
  while (i < s.size() && count < n) {
    unsigned char c = (unsigned char)s[i];
    std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    i += len;
    ++count;
  }
  return s.substr(0, i < s.size() ? i : s.size());
}

}  // namespace

bool EncodeWrittenNames(const std::string& section, const std::string& key, CodePage& cp, bool utf8_file,
                        std::string& sec, std::string& k) {
  if (!EncodeProfileName(CutCharacters(section, 128), cp, utf8_file, sec) ||
      !EncodeProfileName(CutCharacters(key, 128), cp, utf8_file, k))
    return false;
  for (const std::string* name : {&sec, &k}) {
    if (name->find_first_of("\r\n\0", 0, 3) != std::string::npos) return false;
  }
  return k.find('=') == std::string::npos && sec.find(']') == std::string::npos && !k.empty();
}

}  // namespace qg
