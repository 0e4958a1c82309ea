// The form layer on Win32 and GDI, in process and on a real display: forms
// found by caption once loaded and gone once unloaded, handlers that cancel,
// the loop ending with the last form, modal showing, the retained image
// (lines, fills, gradients, stretched pictures, copies) read back through
// GetImage and a saved BMP, labels and the combo box, and pictures decoded
// from files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "bmp_format.h"
#include "forms/application.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/image.h"
#include "forms/picture_box.h"
#include "forms/timer.h"
#include "forms/user_control.h"

namespace {

class Probe : public qgf::Form {
 public:
  Probe() : Box(*this), Text(*this), Combo(*this) {
    SetCaption("QG form probe ＃");
    SetScaleMode(qgf::ScaleMode::Pixels);
    Box.SetScaleMode(qgf::ScaleMode::Pixels);
  }
  qgf::PictureBox Box;
  qgf::Label Text;
  qgf::ComboBox Combo;
  int loads = 0, query_unloads = 0, unloads = 0;
  bool refuse = false;

 protected:
  void OnLoad() override { ++loads; }
  void OnQueryUnload(int& cancel, qgf::UnloadMode) override {
    ++query_unloads;
    if (refuse) cancel = 1;
  }
  void OnUnload(int&) override { ++unloads; }
};

class Focusable : public qgf::UserControl {
 public:
  using qgf::UserControl::UserControl;
  int got = 0, lost = 0, downs = 0;
  qgf::MouseArgs last;

 protected:
  void OnGotFocus() override { ++got; }
  void OnLostFocus() override { ++lost; }
  void OnMouseDown(const qgf::MouseArgs& a) override {
    ++downs;
    last = a;
  }
};

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* enabled = std::getenv("QG_WINE_SHOW_TESTS");
    if (!enabled || std::string(enabled) != "1")
      GTEST_SKIP() << "needs the private display of scripts/test-windows.sh";
    static int argc = 1;
    static char name[] = "forms_win32_tests";
    static char* argv[] = {name, nullptr};
    qgf::App::Init(argc, argv);
  }
};

std::string TempPath(const char* name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

TEST_F(FormsTest, LoadedFormsAreFoundByCaptionUnloadRunsHandlersAndMayBeCancelled) {
  Probe form;
  EXPECT_EQ(FindWindowW(nullptr, L"QG form probe ＃"), nullptr) << "found before it was loaded";
  form.Load();
  form.Load();
  EXPECT_EQ(form.loads, 1);
  HWND hwnd = FindWindowW(nullptr, L"QG form probe ＃");
  ASSERT_NE(hwnd, nullptr) << "a hidden loaded form must be found by its caption";
  EXPECT_EQ(qgf::WindowId(hwnd), form.Handle());
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(form.Caption(), "QG form probe ＃");
  EXPECT_EQ(qgf::App::LoadedFormCount(), 1);

  form.refuse = true;
  EXPECT_FALSE(form.Unload());
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_EQ(form.unloads, 0);
  // The window system's close takes the same path.
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_EQ(form.query_unloads, 2);

  form.refuse = false;
  EXPECT_TRUE(form.Unload());
  EXPECT_EQ(form.unloads, 1);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(FindWindowW(nullptr, L"QG form probe ＃"), nullptr);
  EXPECT_EQ(qgf::App::LoadedFormCount(), 0);
}

TEST_F(FormsTest, RunEndsWithTheLastFormAndModalShowReturnsAfterUnload) {
  Probe form;
  form.Show();
  EXPECT_TRUE(IsWindowVisible(HWND(form.Handle())));
  qgf::Timer closer;
  closer.SetInterval(100);
  closer.onTick = [&] {
    closer.SetEnabled(false);
    PostMessageW(HWND(form.Handle()), WM_CLOSE, 0, 0);
  };
  closer.SetEnabled(true);
  const DWORD start = GetTickCount();
  qgf::App::Run();
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(form.unloads, 1);

  Probe owner, dialog;
  owner.Show();
  closer.onTick = [&] {
    closer.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(HWND(owner.Handle()))) << "the other form takes no input while the dialog shows";
    dialog.Unload();
  };
  closer.SetEnabled(true);
  dialog.ShowModal();
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_TRUE(IsWindowEnabled(HWND(owner.Handle())));
  owner.Unload();
}

TEST_F(FormsTest, FormGeometryIsTheInnerSizeInTwipsAtTheOuterCorner) {
  Probe form;
  form.SetBorderStyle(qgf::BorderStyle::FixedSingle);
  const int tpp = qgf::App::TwipsPerPixelX();
  ASSERT_GT(tpp, 0);
  form.SetScaleMode(qgf::ScaleMode::Twips);
  form.Move(30 * tpp, 40 * tpp, 200 * tpp, 100 * tpp);
  RECT client{}, outer{};
  GetClientRect(HWND(form.Handle()), &client);
  GetWindowRect(HWND(form.Handle()), &outer);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 100);
  EXPECT_EQ(outer.left, 30);
  EXPECT_EQ(outer.top, 40);
  EXPECT_GT(outer.bottom - outer.top, 100) << "a caption bar is outside the inner size";
  EXPECT_DOUBLE_EQ(form.ScaleWidth(), 200.0 * tpp);
  EXPECT_DOUBLE_EQ(form.Width(), 200.0 * tpp);
}

TEST_F(FormsTest, RetainedImageKeepsWhatWasDrawnAndSavesItAsABitmap) {
  Probe form;
  form.Box.Move(0, 0, 64, 48);
  form.Box.SetBackColour(qgf::Colour::Rgb(10, 20, 30));
  qgf::Image image = form.Box.GetImage();
  ASSERT_EQ(image.width(), 64);
  ASSERT_EQ(image.height(), 48);
  EXPECT_EQ(image.Pixel(5, 5), qgf::Colour::Rgb(10, 20, 30));

  form.Box.FillRect(2, 2, 4, 4, qgf::Colour::Rgb(255, 0, 0));
  form.Box.Line(0, 20, 10, 20, qgf::Colour::Rgb(0, 255, 0));
  form.Box.GradientFillVertical(20, 0, 8, 48, qgf::Colour::Rgb(0, 0, 0), qgf::Colour::Rgb(0, 0, 255));
  qgf::Image two(2, 2, qgf::Colour::Rgb(1, 2, 3));
  two.SetPixel(1, 1, qgf::Colour::Rgb(200, 100, 50));
  // Each source pixel becomes a 4 x 4 block.
  form.Box.PaintPicture(qgf::Picture(two), 40, 10, 8, 8);
  // The drawing is retained while the form was never shown.
  image = form.Box.GetImage();
  EXPECT_EQ(image.Pixel(3, 3), qgf::Colour::Rgb(255, 0, 0));
  EXPECT_EQ(image.Pixel(6, 6), qgf::Colour::Rgb(10, 20, 30)) << "the fill went past its rectangle";
  EXPECT_EQ(image.Pixel(0, 20), qgf::Colour::Rgb(0, 255, 0));
  EXPECT_EQ(image.Pixel(10, 20), qgf::Colour::Rgb(0, 255, 0)) << "the line stops short of its end point";
  EXPECT_EQ(image.Pixel(11, 20), qgf::Colour::Rgb(10, 20, 30));
  EXPECT_LT(image.Pixel(24, 1).b, 40);
  EXPECT_GT(image.Pixel(24, 46).b, 215);
  EXPECT_LT(image.Pixel(24, 10).b, image.Pixel(24, 30).b) << "the gradient runs from top to bottom";
  EXPECT_EQ(image.Pixel(41, 11), qgf::Colour::Rgb(1, 2, 3));
  EXPECT_EQ(image.Pixel(46, 16), qgf::Colour::Rgb(200, 100, 50));
  EXPECT_EQ(image.Pixel(43, 16), qgf::Colour::Rgb(1, 2, 3));
  // A source rectangle within the picture: its lower row only, then its
  // right column only, each to a 4 x 4 block.
  qgf::Image rows(2, 2, qgf::Colour::Rgb(90, 0, 0));
  rows.SetPixel(0, 1, qgf::Colour::Rgb(0, 90, 0));
  rows.SetPixel(1, 1, qgf::Colour::Rgb(0, 90, 0));
  rows.SetPixel(1, 0, qgf::Colour::Rgb(0, 0, 90));
  form.Box.PaintPicture(qgf::Picture(rows), 50, 30, 4, 4, 0, 1, 1, 1);
  form.Box.PaintPicture(qgf::Picture(rows), 56, 30, 4, 4, 1, 0, 1, 1);
  image = form.Box.GetImage();
  EXPECT_EQ(image.Pixel(51, 31), qgf::Colour::Rgb(0, 90, 0)) << "the lower row was asked for";
  EXPECT_EQ(image.Pixel(57, 31), qgf::Colour::Rgb(0, 0, 90)) << "the upper right pixel was asked for";

  // A copy between canvases and a resize keep the pixels.
  form.Move(0, 0, 200 * qgf::App::TwipsPerPixelX(), 100 * qgf::App::TwipsPerPixelY());
  form.CopyFrom(form.Box, 100, 50, 8, 8, 0, 0);
  EXPECT_EQ(form.GetImage().Pixel(103, 53), qgf::Colour::Rgb(255, 0, 0));
  form.Box.Move(0, 0, 80, 60);
  EXPECT_EQ(form.Box.GetImage().Pixel(3, 3), qgf::Colour::Rgb(255, 0, 0));
  EXPECT_EQ(form.Box.GetImage().Pixel(70, 55), qgf::Colour::Rgb(10, 20, 30));

  // The image saved as the snapshot is saved reads back as a picture through
  // the system's decoder.
  const std::string path = TempPath("qg_forms_box.bmp");
  {
    const qgf::Image box = form.Box.GetImage();
    qg::show::DesktopPicture picture = qg::show::DesktopPicture::Allocate(box.width(), box.height());
    for (int y = 0; y < box.height(); ++y) std::memcpy(picture.Row(y), box.row(y), std::size_t(box.width()) * 4);
    const std::vector<uint8_t> file = qg::show::EncodeBmp(picture);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
  }
  qgf::Picture back = qgf::LoadPicture(path);
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.width(), 80);
  EXPECT_EQ(back.image()->Pixel(3, 3), qgf::Colour::Rgb(255, 0, 0));
  ASSERT_TRUE(DeleteFileA(path.c_str()));
  EXPECT_TRUE(qgf::LoadPicture(path).isNull());

  form.Box.Cls();
  EXPECT_EQ(form.Box.GetImage().Pixel(3, 3), qgf::Colour::Rgb(10, 20, 30));
}

TEST_F(FormsTest, PicturesDecodeFromJpegAndBrokenFilesGiveNoPicture) {
  qgf::Picture jpeg = qgf::LoadPicture(QG_TEST_ASSETS_DIR "/preview_image.jpg");
  ASSERT_FALSE(jpeg.isNull()) << "the preview's JPEG did not decode";
  EXPECT_GT(jpeg.width(), 8);
  const std::string broken = TempPath("qg_forms_broken.jpg");
  {
    std::ofstream out(broken, std::ios::binary);
    out << "\xFF\xD8\xFF\xE0 not really a picture";
  }
  EXPECT_TRUE(qgf::LoadPicture(broken).isNull());
  DeleteFileA(broken.c_str());
}

TEST_F(FormsTest, LabelsAndTheComboBoxKeepTheirText) {
  Probe form;
  form.Text.SetCaption("曲目をﾘﾋﾟｰﾄ");
  EXPECT_EQ(form.Text.Caption(), "曲目をﾘﾋﾟｰﾄ");
  form.Combo.Move(0, 0, 60, 20);
  form.Combo.SetText("7");
  form.Combo.AddItem("1");
  form.Combo.AddItem("ＢＧＭ");
  EXPECT_EQ(form.Combo.Text(), "7") << "adding an item changed the edit text";
  EXPECT_EQ(form.Combo.ListCount(), 2);
  EXPECT_EQ(form.Combo.List(1), "ＢＧＭ");
  EXPECT_EQ(form.Combo.List(2), "");
  EXPECT_EQ(form.Combo.List(-1), "");
  form.Combo.Clear();
  EXPECT_EQ(form.Combo.ListCount(), 0);
  form.Text.SetEnabled(false);
  EXPECT_FALSE(form.Text.Enabled());
  form.Text.SetVisible(false);
  EXPECT_FALSE(form.Text.Visible());
}

// A pixel of the screen, read through the screen's device context.
qgf::Colour ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return qgf::Colour::Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    qgf::App::DoEvents();
    Sleep(10);
  }
}

TEST_F(FormsTest, ShownFormPaintsItsImageStretchedAndItsRetainedDrawing) {
  Probe form;
  form.SetBorderStyle(qgf::BorderStyle::None);
  form.Move(100 * qgf::App::TwipsPerPixelX(), 80 * qgf::App::TwipsPerPixelY(), 120 * qgf::App::TwipsPerPixelX(),
            60 * qgf::App::TwipsPerPixelY());
  form.Box.Move(0, 0, 60, 60);
  form.Box.SetBackColour(qgf::Colour::Rgb(0, 0, 200));
  form.Box.FillRect(10, 10, 10, 10, qgf::Colour::Rgb(250, 250, 0));
  qgf::ImageControl image(form);
  qgf::Image two(2, 1, qgf::Colour::Rgb(255, 0, 0));
  two.SetPixel(1, 0, qgf::Colour::Rgb(0, 255, 0));
  image.SetStretch(true);
  image.SetPicture(qgf::Picture(two));
  image.Move(60, 0, 60, 60);
  form.Show();
  PumpFor(300);
  EXPECT_EQ(ScreenPixel(100 + 5, 80 + 5), qgf::Colour::Rgb(0, 0, 200));
  EXPECT_EQ(ScreenPixel(100 + 15, 80 + 15), qgf::Colour::Rgb(250, 250, 0));
  EXPECT_EQ(ScreenPixel(100 + 70, 80 + 30), qgf::Colour::Rgb(255, 0, 0)) << "left half of the stretched picture";
  EXPECT_EQ(ScreenPixel(100 + 110, 80 + 30), qgf::Colour::Rgb(0, 255, 0)) << "right half of the stretched picture";
  form.Unload();
}

TEST_F(FormsTest, UserControlsGetFocusAndMouseInTheirOwnPixels) {
  Probe form;
  Focusable control(form);
  control.Move(10, 10, 50, 30);
  form.Show();
  SetForegroundWindow(HWND(form.Handle()));
  int clicks = 0;
  form.Box.onClick = [&] { ++clicks; };
  HWND self = HWND(control.Handle());
  SendMessageW(self, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(7, 9));
  SendMessageW(self, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(7, 9));
  EXPECT_EQ(control.downs, 1);
  EXPECT_EQ(control.last.button, qgf::LeftButton);
  EXPECT_EQ(control.last.shift, qgf::ShiftMask);
  EXPECT_DOUBLE_EQ(control.last.x, 7.0);
  EXPECT_DOUBLE_EQ(control.last.y, 9.0);
  EXPECT_EQ(control.got, 1) << "a press gives the control the focus";
  form.Box.SetFocus();
  EXPECT_EQ(control.lost, 1);

  HWND box = HWND(form.Box.Handle());
  form.Box.Move(0, 0, 20, 20);
  SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(clicks, 1) << "a release outside the box is no click";

  qgf::App::SetMousePointer(qgf::MousePointer::Hourglass);
  EXPECT_EQ(qgf::App::GetMousePointer(), qgf::MousePointer::Hourglass);
  SendMessageW(self, WM_SETCURSOR, WPARAM(self), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  qgf::App::SetMousePointer(qgf::MousePointer::Default);
  control.SetMousePointer(qgf::MousePointer::Hand);
  SendMessageW(self, WM_SETCURSOR, WPARAM(self), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
  form.Unload();
}

}  // namespace
