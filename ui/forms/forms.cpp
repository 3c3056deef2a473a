// The forms runtime: run-time errors and the error policy, the controls and
// the events they raise, and windows that load, show, hide and unload.
#include "ui/forms/forms.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "store/registry.h"

namespace forms {

RuntimeError TypeMismatch() { return RuntimeError(13, "Type mismatch"); }
RuntimeError Overflow() { return RuntimeError(6, "Overflow"); }
RuntimeError FileNotFound() { return RuntimeError(53, "File not found"); }
RuntimeError OutOfMemory() { return RuntimeError(7, "Out of memory"); }

std::int32_t CLng(const std::string& text) {
  const registry::NumberResult result = registry::TextToLong(text);
  if (result.error == registry::NumberError::kOverflow) throw Overflow();
  if (result.error != registry::NumberError::kNone) throw TypeMismatch();
  return result.value;
}

std::string CStr(std::int32_t value) { return registry::LongToText(value); }

int Application::MsgBox(const std::string& text, int style,
                        const std::string& caption) {
  return host_.ShowMessage(text, style, caption.empty() ? kAppTitle : caption);
}

void Application::RaiseEvent(const std::function<void()>& handler) {
  int number = 0;
  std::string description;
  try {
    if (handler) handler();
    return;
  } catch (const RuntimeError& error) {
    number = error.number();
    description = error.what();
  } catch (const std::exception&) {
    number = 51;  // any other failure
    description = "Internal error";
  }
  MsgBox("Run-time error '" + std::to_string(number) + "':\n\n" + description,
         kVbCritical, kAppTitle);
  host_.EndProgram();
}

bool Application::AcceptsInput(const Form& form) const {
  return modal_.empty() || modal_.back() == &form;
}

Control::Control(Form& form, const ControlDesign& design)
    : form_(form), design_(design) {}

void Control::Reset() {
  caption_ = design_.text ? design_.text : "";
  enabled_ = design_.enabled;
  foreColor_ = design_.foreColor;
}

void Control::UserClick() {
  if (enabled_ && TakesInput()) Raise(Click);
}

void Control::UserMouseMove() {
  if (enabled_ && TakesInput()) Raise(MouseMove);
}

bool Control::TakesInput() const {
  return form_.IsLoaded() && form_.app().AcceptsInput(form_);
}

void Control::Sync() {
  if (FormView* view = form_.view(); view && form_.IsLoaded())
    view->Sync(*this);
}

void Control::Raise(const std::function<void()>& handler) {
  form_.app().RaiseEvent(handler);
}

void Slider::Reset() {
  Control::Reset();
  value_ = design().slider.value;
}

void Slider::SetValue(std::int32_t value) {
  if (Assign(value) && Change) Change();  // nested: its errors reach the caller
}

void Slider::UserMoveTo(std::int64_t value) {
  if (TakesInput() && Assign(value)) Raise(Change);
}

void OptionButton::Reset() {
  Control::Reset();
  value_ = false;
}

void OptionButton::Select() {
  for (const auto& control : form().Controls()) {
    if (control.get() == this || control->kind() != Kind::kOption) continue;
    auto& other = static_cast<OptionButton&>(*control);
    if (std::string_view(other.design().container) == design().container)
      other.Set(other.value_, false);
  }
  Set(value_, true);
}

void OptionButton::SetValue(bool value) {
  if (!value) {
    Set(value_, false);
  } else if (!value_) {
    Select();
    if (Click) Click();
  }
}

void OptionButton::UserClick() {
  if (!Enabled() || !TakesInput()) return;
  Select();
  Raise(Click);
}

void TextBox::UserEdit(const std::string& text) {
  if (TakesInput()) SetCaption(text);
}

namespace {

std::unique_ptr<Control> MakeControl(Form& form, const ControlDesign& row) {
  if (row.kind == Kind::kSlider) return std::make_unique<Slider>(form, row);
  if (row.kind == Kind::kOption)
    return std::make_unique<OptionButton>(form, row);
  if (row.kind == Kind::kTextBox) return std::make_unique<TextBox>(form, row);
  return std::make_unique<Control>(form, row);
}

}  // namespace

Form::Form(Application& app, const WindowDesign& design)
    : app_(app), design_(design) {
  controls_.reserve(design_.controls.size());
  for (const ControlDesign& control : design_.controls)
    controls_.push_back(MakeControl(*this, control));
  view_ = app_.host().CreateView(*this);
}

void Form::Load() {
  if (state_ != FormState::kNotLoaded || loading_) return;
  loading_ = true;
  Finally loadingEnds{[this] { loading_ = false; }};
  for (const auto& control : controls_) control->Reset();
  state_ = FormState::kHidden;
  BindEvents();
  Form_Load();
}

void Form::Show() {
  Load();
  if (!IsLoaded()) return;  // Form_Load unloaded it
  state_ = FormState::kShown;
  if (view_) view_->Show(false);
}

void Form::ShowModal() {
  Load();
  if (!IsLoaded()) return;
  state_ = FormState::kShown;
  app_.modal_.push_back(this);
  Finally modalEnds{[this] { LeaveModal(); }};
  if (view_) view_->Show(true);
  app_.host().RunModal(*this);
}

void Form::Hide() {
  Load();
  if (state_ != FormState::kShown) return;
  state_ = FormState::kHidden;
  LeaveModal();
  if (view_) view_->Hide();
}

void Form::Unload() {
  if (state_ == FormState::kNotLoaded) return;
  const bool wasShown = state_ == FormState::kShown;
  state_ = FormState::kNotLoaded;
  LeaveModal();
  if (view_ && wasShown) view_->Hide();
}

void Form::UserClose() {
  if (!IsLoaded() || !app_.AcceptsInput(*this)) return;
  if (endsProgramOnClose_) app_.host().EndProgram();
  app_.RaiseEvent([this] { Unload(); });
}

void Form::UserMouseMove() {
  if (IsLoaded() && app_.AcceptsInput(*this)) app_.RaiseEvent(MouseMove);
}

void Form::LeaveModal() {
  auto& modal = app_.modal_;
  auto found = std::find(modal.begin(), modal.end(), this);
  if (found == modal.end()) return;
  modal.erase(found);
  if (view_) view_->EndModal();
}

}  // namespace forms
