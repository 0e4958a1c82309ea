// The loaded forms and the Load/Unload sequence with its handlers, the same
// with every toolkit; the native window's part is the toolkit's.
#include <algorithm>
#include <vector>

#include "forms/application.h"
#include "forms/handler_access.h"
#include "forms/toolkit_calls.h"

namespace qgf {
namespace {

std::vector<Form*>& Loaded() {
  static std::vector<Form*> forms;
  return forms;
}

void FormUnloaded(Form* form) {
  auto& v = Loaded();
  v.erase(std::remove(v.begin(), v.end(), form), v.end());
  if (v.empty()) Toolkit::LastFormUnloaded();
}

}  // namespace

const std::vector<Form*>& LoadedForms() { return Loaded(); }

namespace App {
int LoadedFormCount() { return int(Loaded().size()); }
}  // namespace App

Form::~Form() {
  if (loaded_) FormUnloaded(this);
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  Loaded().push_back(this);
  OpenNativeWindow();
  FormAccess::Load(*this);
}

bool Form::Unload(UnloadMode mode) {
  if (!loaded_ || unloading_) return true;
  unloading_ = true;
  const bool go = FormAccess::UnloadHandlers(*this, mode);
  unloading_ = false;
  if (!go) return false;
  loaded_ = false;
  CloseNativeWindow();
  FormUnloaded(this);
  return true;
}

}  // namespace qgf
