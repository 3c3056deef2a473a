// Windows: loading from the design, showing, hiding, unloading.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/forms/forms.h"

namespace forms {

namespace {

std::unique_ptr<Control> MakeControl(Form& form, const ControlDesign& design) {
  switch (design.kind) {
    case Kind::kSlider:
      return std::make_unique<Slider>(form, design);
    case Kind::kOption:
      return std::make_unique<OptionButton>(form, design);
    case Kind::kTextBox:
      return std::make_unique<TextBox>(form, design);
    default:
      return std::make_unique<Control>(form, design);
  }
}

}  // namespace

Form::Form(Application& app, const WindowDesign& design)
    : app_(app), design_(design) {}

void Form::Load() {
  if (state_ != FormState::kNotLoaded || loading_) return;
  loading_ = true;
  Finally loadingEnds{[this] { loading_ = false; }};

  controls_.reserve(design_.controls.size());
  for (const ControlDesign& control : design_.controls)
    controls_.push_back(MakeControl(*this, control));
  state_ = FormState::kHidden;
  view_ = app_.host().CreateView(*this);
  BindEvents();
  app_.Call([this] { Form_Load(); });
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
  for (const auto& control : controls_) control->attached_ = false;
  auto controls = std::move(controls_);
  controls_.clear();
  auto view = std::move(view_);
  view_.reset();
  app_.Discard(std::move(controls), std::move(view));
}

void Form::UserClose() {
  if (!IsLoaded() || !app_.AcceptsInput(*this)) return;
  if (endsProgramOnClose_) app_.host().EndProgram();
  app_.RaiseEvent([this] { Unload(); });
}

void Form::UserMouseMove() {
  if (!IsLoaded() || !app_.AcceptsInput(*this)) return;
  app_.RaiseEvent(MouseMove);
}

void Form::UserEscape() {
  if (!IsLoaded()) return;
  for (const auto& control : controls_) {
    if (control->design().cancel) {
      control->UserClick();
      return;  // the click may have unloaded the controls
    }
  }
}

std::uintptr_t Form::hWnd() const { return view_ ? view_->Handle() : 0; }

Control& Form::Find(const std::string& name) {
  Load();
  for (const auto& control : controls_)
    if (control->Name() == name) return *control;
  throw std::out_of_range(std::string("no control ") + name + " on " +
                          design_.name);
}

void Form::LeaveModal() {
  auto& modal = app_.modal_;
  auto found = std::find(modal.begin(), modal.end(), this);
  if (found == modal.end()) return;
  modal.erase(found);
  if (view_) view_->EndModal();
}

}  // namespace forms
