// The settings dialog Wobblevista_P: the user chooses the music of the show
// (none, an audio CD with a track to repeat, or an MP3/WAV file); 設定 saves the
// choice, ｷｬﾝｾﾙ and the window's close button leave the settings file alone.
// It handles no keys at all. Controls are public, as on a designed form.
#pragma once

#include <array>
#include <string>

#include "command.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/picture_box.h"

// The address lbl_URL shows and opens, fixed at build time. One without a
// scheme ("README.txt") names a file beside the programs: a ZIP can be
// unpacked anywhere, so that folder is known only at run time.
extern const char kQuiverglideHomeAddress[];
// The address to show and open: `configured` itself when it is an absolute
// address or path, else a file address of it inside `program_folder` (either
// slash; spaces and '%' escaped).
std::string HomeAddressIn(const std::string& configured, const std::string& program_folder);
// The credit line.
extern const char kQuiverglideCredit[];
// The message of a choice that could not be saved; the file's path follows it.
extern const char kSettingsNotSavedText[];

class Wobblevista_P : public qgf::Form {
 public:
  Wobblevista_P();
  ~Wobblevista_P() override;

  void InitButtons();
  void TileTexture(qgf::PictureBox& target);
  void SelectKind(int index);

  // The controls, in the order of the designed form.
  qgf::PictureBox Pic_C;
  qgf::Shape Shape3;
  qgf::Label lbl15;  // "BGM"
  std::array<qgf::ImageControl*, 3> Img_BGM{};
  std::array<qgf::Label*, 3> lbl_BGM{};
  qgf::ComboBox BGM_Repeat;
  qgf::Label lbl14;  // "曲目をﾘﾋﾟｰﾄ"
  Wobblevista::Command Cmd_File;
  qgf::Label lbl_Fname;
  qgf::Label lbl7;  // the credit line
  qgf::Label lbl_URL;
  Wobblevista::Command Cmd_Set;
  Wobblevista::Command Cmd_Can;
  qgf::PictureBox Pic_Mbl;
  std::array<qgf::ImageControl*, 2> Img_Ra{};

 protected:
  void OnLoad() override;
  void OnResize() override;
  void OnUnload(int& cancel) override;

 private:
  void Cmd_File_Click();
  void Cmd_Set_Click();
  void Cmd_Can_Click();
  void lbl_URL_Click();

  // Image and label pairs of the kind choice, built here so that their index
  // is the kind they choose.
  qgf::ImageControl img0_, img1_, img2_, ra0_, ra1_;
  qgf::Label kind0_, kind1_, kind2_;
};
