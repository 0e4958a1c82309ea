#include "settings/settings_module.h"

#include "music_settings.h"
#include "settings/settings_file.h"

namespace Wobblevista_B {

std::string SettingsFilePath() { return qg::ChooseSettingsFilePath(qg::DefaultFileSystem()); }

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file) {
  return qg::ReadProfileString(qg::DefaultFileSystem(), qg::Cp932(), section, key, file);
}

void WriteIni(const std::string& section, const std::string& key, const std::string& value, const std::string& file) {
  qg::WriteProfileString(qg::DefaultFileSystem(), qg::Cp932(), section, key, value, file);
}

void LoadSettings() {
  qg::MusicSettingsValues v;
  v.kind = Wobblevista_BGM::BgmKind;
  v.repeat = Wobblevista_BGM::BgmRepeat;
  v.file = Wobblevista_BGM::BgmFile;
  v.folder = Wobblevista_BGM::BgmFolder;
  qg::LoadMusicSettings(qg::DefaultFileSystem(), qg::Cp932(), v);
  Wobblevista_BGM::BgmKind = v.kind;
  Wobblevista_BGM::BgmRepeat = v.repeat;
  Wobblevista_BGM::BgmFile = v.file;
  Wobblevista_BGM::BgmFolder = v.folder;
}

bool SaveSettings() {
  qg::MusicSettingsValues v;
  v.kind = Wobblevista_BGM::BgmKind;
  v.repeat = Wobblevista_BGM::BgmRepeat;
  v.file = Wobblevista_BGM::BgmFile;
  return qg::SaveMusicSettings(qg::DefaultFileSystem(), qg::Cp932(), v);
}

}  // namespace Wobblevista_B
