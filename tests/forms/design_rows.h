// Rows of test designs written positionally (name, kind, container, text,
// place, tab index, colours, font), with the one setting a row adds named.
#pragma once

#include "ui/forms/forms.h"

namespace movarin_test {

constexpr forms::ControlDesign Disabled(forms::ControlDesign row) {
  row.enabled = false;
  return row;
}
constexpr forms::ControlDesign Cancel(forms::ControlDesign row) {
  row.cancel = true;
  return row;
}
constexpr forms::ControlDesign AutoSized(forms::ControlDesign row) {
  row.autoSize = true;
  return row;
}
constexpr forms::ControlDesign WithPicture(forms::ControlDesign row,
                                           int picture) {
  row.picture = picture;
  return row;
}
constexpr forms::ControlDesign WithSlider(forms::ControlDesign row,
                                          forms::SliderDesign slider) {
  row.slider = slider;
  return row;
}
// The row with the settings no helper above names, set by edit.
constexpr forms::ControlDesign With(forms::ControlDesign row, auto edit) {
  edit(row);
  return row;
}

}  // namespace movarin_test
