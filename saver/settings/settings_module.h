// The settings procedures of the start-up module, over the program-wide
// music settings values.
#pragma once

#include <string>

namespace Wobblevista_B {

// The settings file's path, chosen anew on every call (see
// qg::ChooseSettingsFilePath).
std::string SettingsFilePath();
// The value of a key, "" when missing.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file);
// Sets one key (the outcome is not reported).
void WriteIni(const std::string& section, const std::string& key, const std::string& value, const std::string& file);
// Fills BgmKind, BgmRepeat, BgmFile and BgmFolder from the settings file.
void LoadSettings();
// Writes BgmKind, BgmRepeat and BgmFile to the settings file, all or none;
// false when they could not be saved.
bool SaveSettings();

}  // namespace Wobblevista_B
