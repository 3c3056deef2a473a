// Control objects: properties, their views, and the events they raise.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "ui/forms/forms.h"

namespace forms {

// ---------------------------------------------------------------- Control --

Control::Control(Form& form, const ControlDesign& design)
    : form_(form),
      design_(design),
      caption_(design.text ? design.text : ""),
      enabled_(design.enabled),
      foreColor_(design.foreColor) {}

void Control::UserClick() {
  if (!enabled_ || !TakesInput()) return;
  Raise(Click);
}

void Control::UserMouseMove() {
  if (!enabled_ || !TakesInput()) return;
  Raise(MouseMove);
}

bool Control::TakesInput() const {
  return attached_ && form_.app().AcceptsInput(form_);
}

void Control::Notify(Property property) {
  // A discarded control no longer belongs to the window's view.
  if (FormView* view = form_.view(); view && attached_)
    view->Changed(*this, property);
}

void Control::Raise(const std::function<void()>& handler) {
  form_.app().RaiseEvent(handler);
}

// ----------------------------------------------------------------- Slider --

bool Slider::Assign(std::int64_t value) {
  return Set(
      value_,
      static_cast<std::int32_t>(std::clamp<std::int64_t>(value, Min(), Max())),
      Property::kValue);
}

void Slider::SetValue(std::int32_t value) {
  if (Assign(value)) form().app().Call(Change);
}

void Slider::UserMoveTo(std::int64_t value) {
  if (TakesInput() && Assign(value)) Raise(Change);
}

void Slider::UserSmallStep(int direction) {
  UserMoveTo(value_ + std::int64_t{direction} * design().slider.smallChange);
}

void Slider::UserLargeStep(int direction) {
  UserMoveTo(value_ + std::int64_t{direction} * design().slider.largeChange);
}

// ----------------------------------------------------------- OptionButton --

void OptionButton::Select() {
  if (!Attached()) {
    value_ = true;
    return;
  }
  for (const auto& control : form().Controls()) {
    if (control.get() == this || control->kind() != Kind::kOption) continue;
    auto& other = static_cast<OptionButton&>(*control);
    if (std::string_view(other.design().container) == design().container)
      other.Set(other.value_, false, Property::kValue);
  }
  Set(value_, true, Property::kValue);
}

void OptionButton::SetValue(bool value) {
  if (!value) {
    Set(value_, false, Property::kValue);
  } else if (!value_) {
    Select();
    form().app().Call(Click);
  }
}

void OptionButton::UserClick() {
  if (!Enabled() || !TakesInput()) return;
  Select();
  Raise(Click);
}

// ---------------------------------------------------------------- TextBox --

void TextBox::UserEdit(const std::string& text) {
  if (!TakesInput()) return;
  SetCaption(text);
}

}  // namespace forms
