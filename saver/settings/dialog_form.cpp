#include "dialog_form.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dialog_platform.h"
#include "dialog_track_text.h"
#include "dialog_zoom.h"
#include "forms/application.h"
#include "forms/form_property_file.h"
#include "forms/format.h"
#include "forms/statements.h"
#include "module_values.h"
#include "music_settings.h"
#include "settings/settings_module.h"

#if !defined(QG_HOME_ADDRESS) || !defined(QG_VERSION_TEXT)
#error QG_HOME_ADDRESS and QG_VERSION_TEXT must be set by the build
#endif

const char kQuiverglideHomeAddress[] = QG_HOME_ADDRESS;
const char kQuiverglideCredit[] = "Quiverglide Version " QG_VERSION_TEXT;
const char kSettingsNotSavedText[] = "設定を保存できません！ ﾌｧｲﾙに書き込めませんでした:";

using namespace Wobblevista_BGM;

std::string HomeAddressIn(const std::string& configured, const std::string& program_folder) {
  if (configured.empty() || configured[0] == '/' || configured.find("://") != std::string::npos) return configured;
  std::string path = program_folder;
  for (char& c : path)
    if (c == '\\') c = '/';
  while (!path.empty() && path.back() == '/') path.pop_back();
  path += '/';
  path += configured;
  if (path[0] != '/') path.insert(0, "/");  // a drive path: file:///C:/...
  std::string address = "file://";
  for (char c : path) {
    if (c == ' ')
      address += "%20";
    else if (c == '%')
      address += "%25";
    else
      address += c;
  }
  return address;
}

namespace {

qgf::Font DialogFont() {
  qgf::Font f;
  f.name = "ＭＳ Ｐゴシック";
  f.size = 9.75;
  f.charset = 128;
  return f;
}

void PlaceLabel(qgf::Label& l, double x, double y, double w, double h, const std::string& text, qgf::Colour colour) {
  l.SetTransparent(true);
  l.SetFont(DialogFont());
  l.SetForeColour(colour);
  l.SetCaption(text);
  l.Move(x, y, w, h);
}

}  // namespace

Wobblevista_P::Wobblevista_P()
    : Pic_C(*this),
      Shape3(Pic_C),
      lbl15(Pic_C),
      BGM_Repeat(Pic_C),
      lbl14(Pic_C),
      Cmd_File(Pic_C),
      lbl_Fname(Pic_C),
      lbl7(*this),
      lbl_URL(*this),
      Cmd_Set(*this),
      Cmd_Can(*this),
      Pic_Mbl(*this),
      img0_(Pic_C),
      img1_(Pic_C),
      img2_(Pic_C),
      ra0_(*this),
      ra1_(*this),
      kind0_(Pic_C),
      kind1_(Pic_C),
      kind2_(Pic_C) {
  Img_BGM = {&img0_, &img1_, &img2_};
  lbl_BGM = {&kind0_, &kind1_, &kind2_};
  Img_Ra = {&ra0_, &ra1_};

  SetCaption("<Quiverglide>");
  SetBorderStyle(qgf::BorderStyle::FixedSingle);
  SetScaleMode(qgf::ScaleMode::Pixels);
  SetFont(DialogFont());
  SetIcon(qgf::LoadPicture(":/dialog/quiverglide.ico"));
  Move(0, 0, 496 * qgf::App::TwipsPerPixelX(), 246 * qgf::App::TwipsPerPixelY());

  Pic_C.SetScaleMode(qgf::ScaleMode::Pixels);
  // The thin frame is drawn into the panel's surface after the texture (see
  // TileTexture): a frame from the layer would be a style that every child
  // label and box inherits.
  Pic_C.SetBorderStyle(qgf::BorderStyle::None);
  Pic_C.SetFont(DialogFont());
  Pic_C.Move(12, 16, 469, 165);

  Shape3.SetKind(qgf::ShapeKind::Rectangle);
  Shape3.SetBorderColour(qgf::Colour{});
  Shape3.Move(20, 20, 113, 21);
  PlaceLabel(lbl15, 20, 24, 111, 13, "BGM", qgf::Colour{});
  lbl15.SetAlignment(qgf::Alignment::Centre);

  const int kind_top[3] = {76, 56, 96};  // rows: kind 1, kind 0, kind 2 from the top
  const char* kind_text[3] = {"なし", "音楽CD", "MP3、WAV"};
  // Wider than designed (22, 43, 60): the Japanese font available here runs a
  // little wider than the one the form was laid out with, and cut texts would
  // hide the choices.
  const int kind_width[3] = {30, 56, 72};
  for (int i = 0; i < 3; ++i) {
    Img_BGM[i]->Move(28, kind_top[i], 13, 13);
    PlaceLabel(*lbl_BGM[i], 44, kind_top[i], kind_width[i], 13, kind_text[i], qgf::Colour{});
    // Any mouse button chooses, on the mark as on its label.
    Img_BGM[i]->onMouseDown = [this, i](const qgf::MouseArgs&) { SelectKind(i); };
    lbl_BGM[i]->onMouseDown = [this, i](const qgf::MouseArgs&) { SelectKind(i); };
  }
  BGM_Repeat.SetFont(DialogFont());
  BGM_Repeat.Move(112, 52, 41, 20);
  PlaceLabel(lbl14, 156, 56, 80, 13, "曲目をﾘﾋﾟｰﾄ", qgf::Colour{});  // designed 66 wide

  Cmd_File.Move(40, 112, 29, 25);
  PlaceLabel(lbl_Fname, 72, 116, 381, 33, "", qgf::Colour{});
  lbl_Fname.SetBorder(true);
  lbl_Fname.SetWordWrap(true);

  const qgf::Colour white = qgf::Colour::Rgb(255, 255, 255);
  PlaceLabel(lbl7, 12, 192, 165, 13, kQuiverglideCredit, white);
  PlaceLabel(lbl_URL, 12, 208, 300, 13, HomeAddressIn(kQuiverglideHomeAddress, qgf::App::Path()), white);  // designed 219 wide
  qgf::Font underlined = DialogFont();
  underlined.underline = true;
  lbl_URL.SetFont(underlined);
  Wobblevista_P_Platform::SetHandPointer(lbl_URL);
  lbl_URL.onClick = [this] { lbl_URL_Click(); };

  Cmd_Set.Move(316, 200, 81, 25);
  Cmd_Can.Move(400, 200, 81, 25);

  // Artwork holders outside the client area: never seen.
  Pic_Mbl.SetBorderStyle(qgf::BorderStyle::None);
  Pic_Mbl.SetScaleMode(qgf::ScaleMode::Pixels);
  Pic_Mbl.Move(8, 312, 556, 20);
  Pic_Mbl.SetPicture(qgf::LoadPicture(":/dialog/texture.bmp"));
  ra0_.Move(536, 20, 12, 12);
  ra0_.SetPicture(qgf::LoadPicture(":/dialog/mark_empty.bmp"));
  ra1_.Move(536, 40, 12, 12);
  ra1_.SetPicture(qgf::LoadPicture(":/dialog/mark_filled.bmp"));

  // The Command controls' designed properties, as the form stored them.
  const qgf::FormProperties stored =
      qgf::ParseFormProperties(Wobblevista_P_Platform::StoredPropertiesText());
  const std::pair<const char*, Wobblevista::Command*> commands[] = {
      {"Cmd_File", &Cmd_File}, {"Cmd_Set", &Cmd_Set}, {"Cmd_Can", &Cmd_Can}};
  for (const auto& [name, command] : commands) {
    if (const qgf::PropertyBag* bag = stored.Find(name)) command->ReadProperties(*bag);
    else command->ReadProperties(qgf::PropertyBag{});
  }
  Cmd_File.onClick = [this] { Cmd_File_Click(); };
  Cmd_Set.onClick = [this] { Cmd_Set_Click(); };
  Cmd_Can.onClick = [this] { Cmd_Can_Click(); };
}

Wobblevista_P::~Wobblevista_P() = default;

void Wobblevista_P::InitButtons() {
  for (Wobblevista::Command* c : {&Cmd_Can, &Cmd_Set, &Cmd_File}) c->Initialize();
}

void Wobblevista_P::TileTexture(qgf::PictureBox& target) {
  const int mw = static_cast<int>(std::lround(Pic_Mbl.Width()));
  const int mh = static_cast<int>(std::lround(Pic_Mbl.Height()));
  // Outer sizes in pixels: both boxes live on this pixel-scaled form.
  const int pw = static_cast<int>(std::lround(target.Width()));
  const int ph = static_cast<int>(std::lround(target.Height()));
  if (mw <= 0 || mh <= 0) return;
  int x = 0, y = 0;
  for (;;) {
    target.CopyFrom(Pic_Mbl, x, y, mw, mh);
    if (y > ph) {
      if (x > pw) break;
      x += mw;
      y = 0;
    } else {
      y += mh;
    }
  }
  // The panel's thin frame.
  const qgf::Colour frame = qgf::Colour::Rgb(0x80, 0x80, 0x80);
  const double right = target.ScaleWidth() - 1, bottom = target.ScaleHeight() - 1;
  target.Line(0, 0, right, 0, frame);
  target.Line(0, 0, 0, bottom, frame);
  target.Line(0, bottom, right, bottom, frame);
  target.Line(right, 0, right, bottom, frame);
  target.Refresh();
}

void Wobblevista_P::SelectKind(int index) {
  BgmKind = static_cast<std::int16_t>(index);
  Cmd_File.SetEnabled(false);
  BGM_Repeat.SetEnabled(false);
  for (qgf::ImageControl* img : Img_BGM) img->SetPicture(Img_Ra[0]->GetPicture());
  if (index >= 0 && index < 3) Img_BGM[index]->SetPicture(Img_Ra[1]->GetPicture());
  if (index == 1) BGM_Repeat.SetEnabled(true);
  if (index == 2) Cmd_File.SetEnabled(true);
}

void Wobblevista_P::OnLoad() {
  // Centred across, one third down (whole-number divisions).
  const long sw = static_cast<long>(qgf::App::ScreenWidth()), sh = static_cast<long>(qgf::App::ScreenHeight());
  const long ww = static_cast<long>(Width()), wh = static_cast<long>(Height());
  Move(static_cast<double>((sw - ww) / 2), static_cast<double>((sh - wh) / 3));
  InitButtons();
  TileTexture(Pic_C);
  BGM_Repeat.SetEnabled(false);
  // The marks; a kind other than 0, 1 or 2 shows none as chosen.
  for (qgf::ImageControl* img : Img_BGM) img->SetPicture(Img_Ra[0]->GetPicture());
  if (BgmKind >= 0 && BgmKind < 3) Img_BGM[BgmKind]->SetPicture(Img_Ra[1]->GetPicture());
  if (BgmKind == 1) BGM_Repeat.SetEnabled(true);
  Cmd_File.SetEnabled(BgmKind == 2);
  // The track box: its text, then the list of 31 entries, the first empty.
  BGM_Repeat.SetText(qgf::FormatHash(BgmRepeat));
  for (int i = 0; i <= 30; ++i) BGM_Repeat.AddItem(qgf::FormatHash(i));
  lbl_Fname.SetCaption(BgmFile);
  // The point the zoom animations start from and end at.
  qgf::Point p;
  if (qgf::CursorPos(p)) {
    Wobblevista_B::CursorX = static_cast<std::int16_t>(std::clamp(p.x, -32768, 32767));
    Wobblevista_B::CursorY = static_cast<std::int16_t>(std::clamp(p.y, -32768, 32767));
  } else {
    Wobblevista_B::CursorX = 0;
    Wobblevista_B::CursorY = 0;
  }
  Wobblevista_B::ZoomOpen(Handle());
  qgf::App::SetMousePointer(qgf::MousePointer::Default);
}

void Wobblevista_P::OnResize() {
  // The background: rows of a half sine wave, dark navy at the edges and a
  // pale blue-white in the middle.
  // One row per device pixel, so that a scaled desktop shows it as smooth as
  // an unscaled one (there a row is a pixel).
  const double h = ScaleHeight(), w = ScaleWidth();
  const double k = h / 3.142;
  const double row = 1.0 / DeviceScale();
  const int last = static_cast<int>(std::lround(h / row));
  for (int i = 0; i <= last; ++i) {
    const double y = i * row;
    const int b = static_cast<int>(std::lround(std::fabs(std::sin(y / k) * 220)));
    FillRect(0, y, w, row, qgf::Colour::Rgb(std::uint8_t(b), std::uint8_t(b), std::uint8_t(b + 30)));
  }
  Refresh();
}

void Wobblevista_P::OnUnload(int& cancel) {
  (void)cancel;
  Wobblevista_B::ZoomClose(Handle());
}

void Wobblevista_P::Cmd_File_Click() {
  qgf::OpenFileRequest request;
  request.owner = Handle();
  request.title = "ﾌｧｲﾙを開く";
  request.filter_name = "BGMﾌｧｲﾙ (MP3 WAV)";
  request.filter_pattern = "*.MP3;*.WAV";
  request.initial_folder = BgmFolder;
  std::optional<std::string> chosen = qgf::OpenFileDialog(request);
  if (!chosen || chosen->empty()) return;
  BgmFile = *chosen;
  lbl_Fname.SetCaption(BgmFile);
  BgmFolder = Wobblevista_B::FolderOfPath(BgmFile);
}

void Wobblevista_P::Cmd_Set_Click() {
  BgmRepeat = Wobblevista_P_Track::TrackFromText(BGM_Repeat.Text());
  // A choice that could not be saved is not dropped without a word: the user
  // is told, and the dialog stays open with the choice in it.
  if (!Wobblevista_B::SaveSettings()) {
    qgf::MsgBox(std::string(kSettingsNotSavedText) + "\n" + Wobblevista_B::SettingsFilePath(), qgf::App::Title());
    return;
  }
  Unload();
}

void Wobblevista_P::Cmd_Can_Click() { Unload(); }

void Wobblevista_P::lbl_URL_Click() {
  qgf::App::SetMousePointer(qgf::MousePointer::Hourglass);
  qgf::OpenDocument(lbl_URL.Caption());
  qgf::App::SetMousePointer(qgf::MousePointer::Default);
}
