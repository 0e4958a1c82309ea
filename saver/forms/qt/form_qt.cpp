// Forms over top-level QWidgets: the native window at load, show, modal
// show, the window gone at unload, embedding into a foreign window.
#include <QApplication>
#include <QEventLoop>
#include <QWindow>

#include "display_system.h"
#include "forms/application.h"
#include "forms/qt/wayland/own_windows_pointer.h"
#include "forms/qt/widget_impl.h"
#include "forms/toolkit_calls.h"

namespace qgf {
namespace {

WidgetImpl* NewFormImpl() {
  auto* impl = new WidgetImpl;
  impl->is_form = true;
  impl->w = new CanvasWidget(impl, nullptr);
  impl->w->setAttribute(Qt::WA_QuitOnClose, false);
  return impl;
}

// Other programs cannot see our windows on a Wayland desktop: a loaded form
// also holds its caption as a mark of the session, where they look for it.
bool CaptionsAsMarks() { return qg::ChooseDisplaySystem() == qg::DisplaySystem::kWayland; }

// A Wayland compositor places and sizes windows itself: a form with a fixed
// border says its size is fixed (least and most the same), which is also
// what makes a tiling compositor float it at that size.
void KeepFixedSize(WidgetImpl* impl) {
  if (impl->fixed_size && wayland::QtOnWayland()) impl->w->setFixedSize(impl->w->size());
}

}  // namespace

void Toolkit::LastFormUnloaded() {
  if (App::Running()) QCoreApplication::exit(0);
}

Form::Form() : Canvas(nullptr, NewFormImpl()) {}

void Form::SetCaption(const std::string& caption) {
  if (impl_->w) impl_->w->setWindowTitle(QString::fromUtf8(caption.c_str()));
  if (loaded_ && CaptionsAsMarks()) impl_->caption_mark.Hold(caption);
}

std::string Form::Caption() const { return impl_->w ? impl_->w->windowTitle().toStdString() : std::string(); }

void Form::SetBorderStyle(BorderStyle style) {
  QWidget* w = impl_->w;
  if (!w) return;
  Qt::WindowFlags flags = Qt::Window;
  impl_->fixed_size = style == BorderStyle::FixedSingle || style == BorderStyle::FixedDialog;
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

void Form::OpenNativeWindow() {
  if (!impl_->w) return;
  impl_->w->setAttribute(Qt::WA_NativeWindow);
  impl_->w->winId();
  if (QWindow* win = impl_->w->windowHandle()) win->setTitle(impl_->w->windowTitle());
  if (CaptionsAsMarks()) impl_->caption_mark.Hold(Caption());
}

void Form::Show() {
  Load();
  if (!loaded_ || !impl_->w) return;
  KeepFixedSize(impl_);
  impl_->w->show();
}

void Form::ShowModal() {
  Load();
  if (!loaded_ || !impl_->w) return;
  QEventLoop loop;
  impl_->modal_loop = &loop;
  impl_->w->setWindowModality(Qt::ApplicationModal);
  KeepFixedSize(impl_);
  impl_->w->show();
  if (loaded_) loop.exec();
  impl_->modal_loop = nullptr;
}

void Form::Hide() {
  if (impl_->w) impl_->w->hide();
}

void Form::CloseNativeWindow() {
  impl_->caption_mark.Drop();
  if (impl_->w) {
    impl_->w->hide();
    if (QWindow* win = impl_->w->windowHandle()) win->destroy();
  }
  if (impl_->modal_loop) impl_->modal_loop->exit(0);
}

void Form::EmbedInto(WindowId host) {
  if (!impl_->w || host == 0) return;
  impl_->w->winId();
  QWindow* foreign = QWindow::fromWinId(WId(host));
  if (!foreign) return;
  if (QWindow* win = impl_->w->windowHandle()) win->setParent(foreign);
}

}  // namespace qgf
