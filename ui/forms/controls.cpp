// Control objects: properties, their views, and the events they raise.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "ui/forms/forms.h"

namespace forms {

namespace {

std::int32_t Clamp(std::int64_t value, std::int32_t min, std::int32_t max) {
  if (value < min) return min;
  if (value > max) return max;
  return static_cast<std::int32_t>(value);
}

}  // namespace

// ---------------------------------------------------------------- Control --

Control::Control(Form& form, const ControlDesign& design)
    : form_(form),
      design_(design),
      name_(design.name),
      caption_(design.text ? design.text : ""),
      enabled_(design.enabled),
      foreColor_(design.foreColor) {}

void Control::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Notify(kind() == Kind::kTextBox ? Property::kText : Property::kCaption);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(Property::kEnabled);
}

void Control::SetForeColor(Color color) {
  if (foreColor_ == color) return;
  foreColor_ = color;
  Notify(Property::kForeColor);
}

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
  std::int32_t clamped = Clamp(value, Min(), Max());
  if (clamped == value_) return false;
  value_ = clamped;
  Notify(Property::kValue);
  return true;
}

void Slider::SetValue(std::int32_t value) {
  if (Assign(value)) form().app().Call(Change);
}

void Slider::UserAssign(std::int64_t value) {
  if (TakesInput() && Assign(value)) Raise(Change);
}

void Slider::UserMoveTo(std::int32_t value) { UserAssign(value); }

void Slider::UserSmallStep(int direction) {
  UserAssign(value_ + std::int64_t{direction} * design().slider.smallChange);
}

void Slider::UserLargeStep(int direction) {
  UserAssign(value_ + std::int64_t{direction} * design().slider.largeChange);
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
    if (other.value_ &&
        std::string_view(other.design().container) == design().container) {
      other.value_ = false;
      other.Notify(Property::kValue);
    }
  }
  if (!value_) {
    value_ = true;
    Notify(Property::kValue);
  }
}

void OptionButton::SetValue(bool value) {
  if (value == value_) return;
  if (!value) {
    value_ = false;
    Notify(Property::kValue);
    return;
  }
  Select();
  form().app().Call(Click);
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
