// Code page 932 through glibc's iconv.
#include <iconv.h>

#include <cerrno>

#include "settings/code_page.h"

namespace qg {
namespace {

bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
  out.clear();
  iconv_t cd = iconv_open(to, from);
  if (cd == iconv_t(-1)) return false;
  std::string buf(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char* dst = &buf[0];
  std::size_t dst_left = buf.size();
  bool ok = true;
  while (src_left > 0) {
    std::size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    if (rc == std::size_t(-1)) {
      ok = false;  // EILSEQ, EINVAL (cut character) or, impossibly, E2BIG
      break;
    }
    if (rc > 0) {  // irreversible conversions count as not representable
      ok = false;
      break;
    }
  }
  if (ok && iconv(cd, nullptr, nullptr, &dst, &dst_left) == std::size_t(-1)) ok = false;
  iconv_close(cd);
  if (!ok) return false;
  out.assign(buf.data(), buf.size() - dst_left);
  return true;
}

class IconvCp932 : public CodePage {
 public:
  bool FromUtf8(const std::string& utf8, std::string& bytes) override {
    return Convert("CP932", "UTF-8", utf8, bytes);
  }
  bool ToUtf8(const std::string& bytes, std::string& utf8) override { return Convert("UTF-8", "CP932", bytes, utf8); }
};

}  // namespace

CodePage& Cp932() {
  static IconvCp932 cp;
  return cp;
}

}  // namespace qg
