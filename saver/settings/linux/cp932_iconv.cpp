// Code page 932 through glibc's iconv.
#include <iconv.h>

#include "settings/code_page.h"

namespace qg {
namespace {

// One conversion direction, opened once and reset before every use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != iconv_t(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Convert(const std::string& in, std::string& out) {
    out.clear();
    if (cd_ == iconv_t(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string buf(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    char* dst = &buf[0];
    std::size_t dst_left = buf.size();
    while (src_left > 0) {
      std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      // EILSEQ, EINVAL (a cut character), and irreversible conversions all
      // count as "not representable".
      if (rc != 0) return false;
    }
    if (iconv(cd_, nullptr, nullptr, &dst, &dst_left) == std::size_t(-1)) return false;
    out.assign(buf.data(), buf.size() - dst_left);
    return true;
  }

 private:
  iconv_t cd_;
};

class IconvCp932 : public CodePage {
 public:
  bool FromUtf8(const std::string& utf8, std::string& bytes) override { return to_cp932_.Convert(utf8, bytes); }
  bool ToUtf8(const std::string& bytes, std::string& utf8) override { return to_utf8_.Convert(bytes, utf8); }

 private:
  Converter to_cp932_{"CP932", "UTF-8"};
  Converter to_utf8_{"UTF-8", "CP932"};
};

}  // namespace

CodePage& Cp932() {
  static IconvCp932 cp;
  return cp;
}

}  // namespace qg
