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
#include "forms/application.h"
#include "music_settings.h"
#include "process.h"
#include "offscreen_qt.h"
#include "settings/settings_module.h"
#include "settings_bytes.h"
#include "module_values.h"

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
  bool Chosen(int kind) { return form->Img_BGM[kind]->GetPicture() == form->Img_Ra[1]->GetPicture(); }
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
  } cases[] = {
      {0, 0, {true, false, false}, false, false, ""},
      {1, 7, {false, true, false}, true, false, "7"},
      {2, 0, {false, false, true}, false, true, ""},
      {5, 3, {false, false, false}, false, false, "3"},
  };
  for (const Case& c : cases) {
    BgmKind = std::int16_t(c.kind);
    BgmRepeat = std::int16_t(c.repeat);
    BgmFile = c.kind == 2 ? "/music/theme.mp3" : "";
    Open();
    for (int k = 0; k < 3; ++k) EXPECT_EQ(Chosen(k), c.chosen[k]) << "kind " << c.kind << " mark " << k;
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
    form->Unload();
    form.reset();
  }
}

// Saving, ｷｬﾝｾﾙ and the keys are driven by real clicks in the "/c" process test.
TEST_F(Dialog, TheWindowsCloseButtonLeavesTheFileAsItWas) {
  const std::string before = qgtest::SettingsText("2", "3", "");
  std::ofstream(ini, std::ios::binary) << before;
  Open();
  QTest::mousePress(Q(*form->lbl_BGM[0]), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_TRUE(Chosen(0));
  Q(*form)->close();
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_EQ(ReadFile(ini), before);
}

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
