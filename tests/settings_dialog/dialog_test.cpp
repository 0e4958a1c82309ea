// The settings dialog in this process on the offscreen Qt platform: what it
// shows for each kind, the close button, and the file chooser's listing.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <fstream>
#include <set>
#include <string>

#include "dialog_form.h"
#include "music_settings.h"
#include "process.h"
#include "offscreen_qt.h"
#include "settings/settings_module.h"

using namespace Wobblevista_BGM;

namespace {

using qttest::Q;
using qttest::WaitFor;

using qgtest::ReadFile;

class Dialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ini = Wobblevista_B::SettingsFilePath();
    std::remove(ini.c_str());
    BgmKind = 0;
    BgmRepeat = 0;
    BgmFile.clear();
    BgmFolder = "/";
  }
  void TearDown() override {
    form.reset();
    std::remove(ini.c_str());
  }
  void Open() {
    form = std::make_unique<Wobblevista_P>();
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Q(*form)));
  }
  // The control with the keyboard focus, by its name on the form.
  std::string Focused() {
    QWidget* f = QApplication::focusWidget();
    const std::pair<const char*, QWidget*> controls[] = {{"BGM_Repeat", Q(form->BGM_Repeat)},
        {"Cmd_File", Q(form->Cmd_File)}, {"Cmd_Set", Q(form->Cmd_Set)}, {"Cmd_Can", Q(form->Cmd_Can)}};
    for (auto [name, w] : controls)
      if (f && (f == w || w->isAncestorOf(f))) return name;
    return f ? "another widget" : "none";
  }
  // Clicks a control, the pointer moved onto it first, and has `answer` deal
  // with the modal window of kind Modal that the click opens.
  template <typename Modal, typename Answer>
  void ClickAnswering(QWidget* control, Answer answer) {
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
      if (!modal) return;
      poll.stop();
      answer(modal);
    });
    poll.start();
    QCursor::setPos(control->mapToGlobal(QPoint(10, 10)));
    QTest::mouseMove(control, QPoint(10, 10));
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(10, 10));
    poll.stop();
  }
  std::string ini;
  std::unique_ptr<Wobblevista_P> form;
};

TEST_F(Dialog, MarksAndControlsPerKind) {
  struct Case {
    int kind, repeat;
    bool chosen[3], repeat_on, file_on;
    const char* track_text;
    std::vector<std::string> tabs;  // where the focus goes at each Tab
  } cases[] = {
      {0, 0, {true, false, false}, false, false, "", {"Cmd_File", "Cmd_Set", "Cmd_Can", "Cmd_File"}},
      {1, 7, {false, true, false}, true, false, "7", {"BGM_Repeat", "Cmd_File", "Cmd_Set", "Cmd_Can", "BGM_Repeat"}},
      {2, 0, {false, false, true}, false, true, "", {"Cmd_File", "Cmd_Set", "Cmd_Can", "Cmd_File"}},
      {5, 3, {false, false, false}, false, false, "3", {"Cmd_File", "Cmd_Set"}},
  };
  for (const Case& c : cases) {
    BgmKind = std::int16_t(c.kind);
    BgmRepeat = std::int16_t(c.repeat);
    BgmFile = c.kind == 2 ? "/music/theme.mp3" : "";
    Open();
    EXPECT_EQ(form->BGM_Repeat.Enabled(), c.repeat_on) << c.kind;
    EXPECT_EQ(form->Cmd_File.logic().enabled_field(), c.file_on) << c.kind;
    EXPECT_EQ(form->BGM_Repeat.Text(), c.track_text) << c.kind;
    EXPECT_EQ(form->lbl_Fname.Caption(), BgmFile);
    // What the screen shows: the chosen mark is blue inside, the others white.
    QImage panel = Q(form->Pic_C)->grab().toImage();
    for (int k = 0; k < 3; ++k) {
      QPoint centre = Q(*form->Img_BGM[k])->geometry().center();
      QColor px = panel.pixelColor(centre);
      if (c.chosen[k])
        EXPECT_GT(px.blue(), px.red() + 80) << "kind " << c.kind << " mark " << k;
      else
        EXPECT_EQ(px, QColor(255, 255, 255)) << "kind " << c.kind << " mark " << k;
    }
    // From the keyboard alone: the focus starts on the first control that
    // takes it and Tab goes round them in the form's order; a button shows
    // its Selected face (a disabled one takes no notice), and neither Space
    // nor Enter presses it.
    for (size_t i = 0; i < c.tabs.size(); ++i) {
      if (i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      ASSERT_EQ(Focused(), c.tabs[i]) << "kind " << c.kind << ", Tab " << i;
      if (c.tabs[i] == "BGM_Repeat") continue;
      Wobblevista::Command& button = c.tabs[i] == "Cmd_Set" ? form->Cmd_Set : c.tabs[i] == "Cmd_Can" ? form->Cmd_Can : form->Cmd_File;
      const bool on = button.logic().enabled_field();
      EXPECT_EQ(button.logic().button_state(), on ? 3 : 1) << c.tabs[i];
      const QColor band = Q(button)->grab().toImage().pixelColor(12, 2);  // picture row 2
      EXPECT_EQ(band, on ? QColor(0xCE, 0xE7, 0xFF) : QColor(0xF5, 0xF4, 0xEA)) << c.tabs[i];
      if (&button == &form->Cmd_File) continue;  // a press would open the chooser
      for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(Q(button), key);
      EXPECT_TRUE(form->IsLoaded()) << c.tabs[i] << " pressed from the keyboard";
      EXPECT_EQ(ReadFile(ini), "");
    }
    form->Unload();
    form.reset();
  }
}

// Saving, ｷｬﾝｾﾙ, the window's close button and the keys are driven by real
// clicks in the "/c" process test.

// A folder where the settings file should be: 設定 says the choice could not
// be saved and leaves the dialog open, and nothing is written.
TEST_F(Dialog, ASaveThatFailsIsToldAndTheDialogStaysOpen) {
  ASSERT_EQ(mkdir(ini.c_str(), 0700), 0);
  BgmKind = 1;
  Open();
  std::string said;
  ClickAnswering<QMessageBox>(Q(form->Cmd_Set), [&](QMessageBox* box) {
    said = box->text().toStdString();
    box->accept();
  });
  EXPECT_EQ(said, std::string(kSettingsNotSavedText) + "\n" + ini);
  EXPECT_TRUE(form->IsLoaded());
  struct stat st;
  EXPECT_TRUE(stat(ini.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

TEST_F(Dialog, FileChooserListsMp3AndWavInAnyCase) {
  qgtest::TempDir music;
  for (const char* name : {"a.mp3", "B.MP3", "c.Mp3", "d.wav", "e.WaV", "f.txt", "g.mp3x"})
    std::ofstream(music.path() + "/" + name) << "x";
  BgmKind = 2;
  BgmFolder = music.path();
  Open();
  std::set<std::string> listed;
  std::string title, filter;
  ClickAnswering<QFileDialog>(Q(form->Cmd_File), [&](QFileDialog* dialog) {
    title = dialog->windowTitle().toStdString();
    filter = dialog->selectedNameFilter().toStdString();
    auto* view = dialog->findChild<QListView*>("listView");
    auto* model = view ? qobject_cast<QFileSystemModel*>(view->model()) : nullptr;
    if (model) {
      WaitFor([&] { return model->rowCount(view->rootIndex()) >= 5; }, 3000);
      QTest::qWait(200);  // let the listing settle: nothing else may turn up
      for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
        listed.insert(model->index(r, 0, view->rootIndex()).data().toString().toStdString());
    }
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText("c.Mp3");
    QMetaObject::invokeMethod(dialog, "accept");
    // Never leave a test waiting on a chooser that refused the file.
    if (dialog->isVisible()) QMetaObject::invokeMethod(dialog, "reject");
  });
  EXPECT_EQ(title, "ﾌｧｲﾙを開く");
  EXPECT_EQ(filter.rfind("BGMﾌｧｲﾙ (MP3 WAV)", 0), 0u) << filter;
  EXPECT_EQ(listed, (std::set<std::string>{"a.mp3", "B.MP3", "c.Mp3", "d.wav", "e.WaV"}));
  EXPECT_EQ(BgmFile, music.path() + "/c.Mp3");
  EXPECT_EQ(form->lbl_Fname.Caption(), BgmFile);
  EXPECT_EQ(BgmFolder, music.path());
}

}  // namespace
