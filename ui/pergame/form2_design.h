// The per-game dialog's design. Positions in twips; no colours or fonts of
// its own.
#pragma once

#include "ui/forms/forms.h"

namespace form2_design {

using forms::ControlDesign;
using forms::Kind;

// In tab order.
// clang-format off
inline constexpr ControlDesign kControls[] = {
    {.name = "Label5", .kind = Kind::kLabel, .container = "",
     .text = "Enter executable's name :",
     .left = 105, .top = 105, .width = 1830, .height = 195, .tabIndex = 0,
     .autoSize = true},
    {.name = "Text1", .kind = Kind::kTextBox, .container = "", .text = "exemple.exe",
     .left = 105, .top = 315, .width = 2535, .height = 285, .tabIndex = 1},
    {.name = "Command1", .kind = Kind::kButton, .container = "", .text = "OK",
     .left = 1845, .top = 735, .width = 825, .height = 285, .tabIndex = 2},
    {.name = "Command4", .kind = Kind::kButton, .container = "", .text = "Cancel",
     .left = 945, .top = 735, .width = 825, .height = 285, .tabIndex = 3,
     .cancel = true},
};
// clang-format on

}  // namespace form2_design

inline constexpr forms::WindowDesign kForm2Design = {
    .name = "Form2",
    .caption = "Movarin",
    .clientWidth = 2745,
    .clientHeight = 1095,
    .border = forms::BorderStyle::kSizableToolWindow,
    .minButton = false,
    .maxButton = false,
    .showInTaskbar = false,
    .icon = 0,
    .backColor = forms::kDefaultColor,
    .controls = form2_design::kControls,
};
