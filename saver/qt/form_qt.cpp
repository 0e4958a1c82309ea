// Forms over top-level QWidgets: load (native window at once), show, modal
// show, unload with handlers, embedding into a foreign window.
#include <QApplication>
#include <QEventLoop>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "forms/application.h"
#include "qt/widget_impl.h"

namespace qgf {
namespace {

std::vector<Form*>& Loaded() {
  static std::vector<Form*> forms;
  return forms;
}

WidgetImpl* NewFormImpl() {
  auto* impl = new WidgetImpl;
  impl->is_form = true;
  impl->w = new CanvasWidget(impl, nullptr);
  impl->w->setAttribute(Qt::WA_QuitOnClose, false);
  return impl;
}

}  // namespace

void FormLoaded(Form* form) { Loaded().push_back(form); }

void FormUnloaded(Form* form) {
  auto& v = Loaded();
  v.erase(std::remove(v.begin(), v.end(), form), v.end());
  if (v.empty() && App::Running()) QCoreApplication::exit(0);
}

namespace App {
int LoadedFormCount() { return int(Loaded().size()); }
}  // namespace App

Form::Form() : Canvas(nullptr, NewFormImpl()) {}

Form::~Form() {
  if (loaded_) FormUnloaded(this);
}

void Form::SetCaption(const std::string& caption) {
  if (impl_->w) impl_->w->setWindowTitle(QString::fromUtf8(caption.c_str()));
}

std::string Form::Caption() const { return impl_->w ? impl_->w->windowTitle().toStdString() : std::string(); }

void Form::SetBorderStyle(BorderStyle style) {
  QWidget* w = impl_->w;
  if (!w) return;
  Qt::WindowFlags flags = Qt::Window;
  switch (style) {
    case BorderStyle::None: flags |= Qt::FramelessWindowHint; break;
    case BorderStyle::FixedSingle:
    case BorderStyle::FixedDialog:
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
      break;
    case BorderStyle::Sizable: break;
  }
  w->setWindowFlags(flags);
}

void Form::SetIcon(const Picture& icon) {
  if (impl_->w && !icon.isNull()) impl_->w->setWindowIcon(QIcon(QPixmap::fromImage(ToQImage(*icon.image()))));
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  FormLoaded(this);
  // The native window exists from now on, carrying its caption, so that a
  // hidden form can be found by others.
  if (impl_->w) {
    impl_->w->setAttribute(Qt::WA_NativeWindow);
    impl_->w->winId();
    if (QWindow* win = impl_->w->windowHandle()) win->setTitle(impl_->w->windowTitle());
  }
  FormAccess::Load(*this);
}

void Form::Show() {
  Load();
  if (loaded_ && impl_->w) impl_->w->show();
}

void Form::ShowModal() {
  Load();
  if (!loaded_ || !impl_->w) return;
  QEventLoop loop;
  impl_->modal_loop = &loop;
  impl_->w->setWindowModality(Qt::ApplicationModal);
  impl_->w->show();
  if (loaded_) loop.exec();
  impl_->modal_loop = nullptr;
}

void Form::Hide() {
  if (impl_->w) impl_->w->hide();
}

bool Form::Unload(UnloadMode mode) {
  if (!loaded_ || unloading_) return true;
  unloading_ = true;
  const bool go = FormAccess::UnloadHandlers(*this, mode);
  unloading_ = false;
  if (!go) return false;
  loaded_ = false;
  if (impl_->w) {
    impl_->w->hide();
    if (QWindow* win = impl_->w->windowHandle()) win->destroy();
  }
  if (impl_->modal_loop) impl_->modal_loop->exit(0);
  FormUnloaded(this);
  return true;
}

void Form::EmbedInto(WindowId host) {
  if (!impl_->w || host == 0) return;
  impl_->w->winId();
  QWindow* foreign = QWindow::fromWinId(WId(host));
  if (!foreign) return;
  if (QWindow* win = impl_->w->windowHandle()) win->setParent(foreign);
}

}  // namespace qgf
