// The main window's design: every control as it is when the window is
// created, before Form_Load runs. Positions in twips.
#pragma once

#include "ui/forms/forms.h"
#include "ui/resource_ids.h"

namespace form1_design {

using forms::ControlDesign;
using forms::Kind;

constexpr forms::Color kActiveBorder =
    forms::SystemColor(forms::kColorActiveBorder);
constexpr forms::Color kInactiveBorder =
    forms::SystemColor(forms::kColorInactiveBorder);
constexpr forms::Color kDarkBlue = 0x800000;
constexpr forms::Color kBlue = 0xFF0000;
constexpr forms::Color kBlack = 0x000000;
constexpr forms::Color kWhite = 0xFFFFFF;

constexpr forms::FontDesign kBold = {"MS Sans Serif", 8.25, 700};
constexpr forms::FontDesign kCredit = {"Arial", 8.25, 400};

// In design order within each container.
// clang-format off
inline constexpr ControlDesign kControls[] = {
    {.name = "Command2", .kind = Kind::kButton, .container = "", .text = "About",
     .left = 1470, .top = 3885, .width = 870, .height = 330, .tabIndex = 14,
     .font = kBold, .graphical = true,
     .picture = IDP_BUTTON_FACE, .downPicture = IDP_BUTTON_DOWN},
    {.name = "Frame2", .kind = Kind::kFrame, .container = "", .text = "Advanced Settings",
     .left = 105, .top = 1995, .width = 3165, .height = 1695, .tabIndex = 8,
     .foreColor = kDarkBlue, .backColor = kInactiveBorder, .font = kBold},
    {.name = "Option2", .kind = Kind::kOption, .container = "Frame2",
     .text = "Apply this to all Direct3D games",
     .left = 105, .top = 1050, .width = 2955, .height = 195, .tabIndex = 13,
     .foreColor = kBlack, .enabled = false},
    {.name = "Option1", .kind = Kind::kOption, .container = "Frame2",
     .text = "To one game only",
     .left = 105, .top = 1260, .width = 2955, .height = 195, .tabIndex = 12,
     .foreColor = kBlack, .enabled = false},
    {.name = "Slider2", .kind = Kind::kSlider, .container = "Frame2", .text = "",
     .left = 105, .top = 525, .width = 2970, .height = 300, .tabIndex = 9,
     .toolTip = "Click on me to enable this setting !",
     .slider = {.min = 0, .max = 10, .value = 0, .smallChange = 1, .largeChange = 1,
                .tickFrequency = 1, .tickStyle = forms::TickStyle::kBottomRight}},
    {.name = "Label1", .kind = Kind::kLabel, .container = "Frame2",
     .text = "Level Of Detail  =  0",
     .left = 210, .top = 315, .width = 1410, .height = 195, .tabIndex = 10,
     .autoSize = true},
    {.name = "Command1", .kind = Kind::kButton, .container = "", .text = "Apply",
     .left = 2415, .top = 3885, .width = 870, .height = 330, .tabIndex = 7,
     .font = kBold, .graphical = true,
     .picture = IDP_BUTTON_FACE, .downPicture = IDP_BUTTON_DOWN},
    {.name = "Frame1", .kind = Kind::kFrame, .container = "", .text = "Overclocking",
     .left = 105, .top = 105, .width = 3165, .height = 1695, .tabIndex = 0,
     .foreColor = kDarkBlue, .backColor = kInactiveBorder, .font = kBold},
    {.name = "Picture4", .kind = Kind::kPictureBox, .container = "Frame1", .text = "",
     .left = 210, .top = 1260, .width = 1365, .height = 150, .tabIndex = 2,
     .picture = IDP_BAND_LEFT},
    {.name = "Slider1", .kind = Kind::kSlider, .container = "Frame1", .text = "",
     .left = 105, .top = 840, .width = 2970, .height = 375, .tabIndex = 4,
     .slider = {.min = 175, .max = 210, .value = 175, .smallChange = 1, .largeChange = 5,
                .tickFrequency = 1, .tickStyle = forms::TickStyle::kNoTicks}},
    {.name = "Picture5", .kind = Kind::kPictureBox, .container = "Frame1", .text = "",
     .left = 1575, .top = 1260, .width = 1410, .height = 150, .tabIndex = 1,
     .picture = IDP_BAND_RIGHT},
    {.name = "Label3", .kind = Kind::kLabel, .container = "Frame1",
     .text = "Memory && Graphics Clock :",
     .left = 840, .top = 315, .width = 1905, .height = 195, .tabIndex = 6,
     .autoSize = true},
    {.name = "Label2", .kind = Kind::kLabel, .container = "Frame1", .text = "Mhz",
     .left = 1785, .top = 585, .width = 300, .height = 195, .tabIndex = 5,
     .foreColor = kBlue, .autoSize = true},
    {.name = "gfx", .kind = Kind::kLabel, .container = "Frame1", .text = "175",
     .left = 1395, .top = 585, .width = 270, .height = 195, .tabIndex = 3,
     .foreColor = kBlue, .autoSize = true},
    {.name = "Image1", .kind = Kind::kImage, .container = "Frame1", .text = "",
     .left = 120, .top = 270, .width = 510, .height = 510,
     .picture = IDP_GAUGE},
    {.name = "Label4", .kind = Kind::kLabel, .container = "", .text = "K. Brannoch",
     .left = 210, .top = 3990, .width = 900, .height = 210, .tabIndex = 11,
     .foreColor = kWhite, .font = kCredit, .autoSize = true},
};
// clang-format on

}  // namespace form1_design

inline constexpr forms::WindowDesign kForm1Design = {
    .name = "Form1",
    .caption = "Movarin         v0.3",
    .clientWidth = 3375,
    .clientHeight = 4305,
    .border = forms::BorderStyle::kFixedSingle,
    .minButton = true,
    .maxButton = false,
    .showInTaskbar = true,
    .icon = IDI_MOVARIN,
    .backColor = form1_design::kActiveBorder,
    .controls = form1_design::kControls,
};
