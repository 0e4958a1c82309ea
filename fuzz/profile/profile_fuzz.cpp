// Feeds arbitrary bytes to the settings file as its content and as values:
// loading never fails or yields out-of-range values, a write changes exactly
// the key it writes, and every value survives a write and a read unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "file_system.h"
#include "number_text.h"
#include "settings/code_page.h"
#include "settings/profile.h"
#include "settings/profile_value.h"
#include "settings/settings_file.h"

namespace {

// One settings file held in memory; every other path is missing.
class MemoryFileSystem : public qg::FileSystem {
 public:
  std::string content;
  bool exists = true;
  bool IsReadableFile(const std::string& p) override { return p == "/sound/a.mp3"; }
  bool IsWritableFolder(const std::string&) override { return true; }
  bool MakeFolder(const std::string&, bool) override { return false; }
  qg::ReadStatus ReadFile(const std::string& p, std::size_t max, std::string& b) override {
    if (p != "/prog/Quiverglide.ini" || !exists) return qg::ReadStatus::Missing;
    if (content.size() > max) return qg::ReadStatus::TooLarge;
    b = content;
    return qg::ReadStatus::Ok;
  }
  bool ReplaceFile(const std::string& p, const std::string& b) override {
    if (p != "/prog/Quiverglide.ini") return false;
    content = b;
    exists = true;
    return true;
  }
  bool RemoveFile(const std::string& p) override {
    if (p == "/prog/Quiverglide.ini") exists = false;
    return p == "/prog/Quiverglide.ini";
  }
  std::string Env(const std::string&) override { return {}; }
  std::string HomeFolder() override { return "/home"; }
  std::string ProgramFolder() override { return "/prog"; }
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  qg::CodePage& cp = qg::Cp932();
  MemoryFileSystem fs;
  fs.content = bytes;

  qg::MusicSettingsValues v;
  qg::LoadMusicSettings(fs, cp, v);
  // A trailing separator is dropped before the file is looked for, and the
  // text is kept as it was written.
  Check(v.file.empty() || v.file == "/sound/a.mp3" || v.file == "/sound/a.mp3/");
  Check(v.kind != 2 || !v.file.empty());
  Check(!v.folder.empty());

  // A write of one key leaves the other two reading as before and reads back.
  const char* keys[] = {qg::kKeyKind, qg::kKeyRepeat, qg::kKeyFile};
  std::size_t which = size ? data[0] % 3 : 0;
  std::string before[3];
  for (int k = 0; k < 3; ++k) before[k] = qg::ReadProfileString(fs, cp, "Section", keys[k], "/prog/Quiverglide.ini");
  std::string value = bytes.substr(0, 300);
  if (qg::WriteProfileString(fs, cp, "Section", keys[which], value, "/prog/Quiverglide.ini")) {
    for (int k = 0; k < 3; ++k) {
      std::string now = qg::ReadProfileString(fs, cp, "Section", keys[k], "/prog/Quiverglide.ini");
      if (std::size_t(k) == which) Check(now == value);
      else Check(now == before[k]);
    }
  }

  // Values of any bytes survive encoding, in both kinds of file.
  for (bool utf8 : {false, true}) {
    std::string enc = qg::EncodeProfileValue(bytes, cp, utf8);
    Check(enc.find_first_of("\r\n") == std::string::npos);
    Check(qg::DecodeProfileValue(enc, cp, utf8) == bytes);
  }

  // The number readers take any text.
  auto n = qg::ReadSettingNumber(bytes);
  Check(!n || (*n >= -32768 && *n <= 32767));
  (void)qg::ReadWindowHandle(bytes);
  (void)qg::Val(bytes);
  return 0;
}
