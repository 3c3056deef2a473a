// The About window's design. Positions in twips. The text lines Label1 to
// Label4 stand right of the emblem, 225 twips apart. Every label sizes itself
// to its text; the widths here are those of the texts in the design font.
#pragma once

#include "ui/forms/forms.h"
#include "ui/resource_ids.h"

// The maker's addresses: shown by Label8 and Label9, and opened by them.
inline constexpr const char* kHomepageHost = "www.quillbrook.example";
inline constexpr const char* kEmailAddress = "brannoch@quillbrook.example";

namespace form4_design {

using forms::ControlDesign;
using forms::Kind;

constexpr forms::Color kBlue = 0xFF0000;
constexpr forms::Color kWhite = 0xFFFFFF;

constexpr forms::FontDesign kRegular = {"MS Sans Serif", 8.25, 400};
constexpr forms::FontDesign kBold = {"MS Sans Serif", 8.25, 700};
constexpr forms::FontDesign kLink = {"MS Sans Serif", 8.25, 400, true};

// In tab order.
// clang-format off
inline constexpr ControlDesign kControls[] = {
    {.name = "Label1", .kind = Kind::kLabel, .container = "", .text = "Movarin",
     .left = 810, .top = 135, .width = 1290, .height = 195, .tabIndex = 0,
     .font = kBold, .autoSize = true},
    {.name = "Label2", .kind = Kind::kLabel, .container = "", .text = "Version 0.3",
     .left = 810, .top = 360, .width = 975, .height = 195, .tabIndex = 1,
     .font = kBold, .autoSize = true},
    {.name = "Label3", .kind = Kind::kLabel, .container = "",
     .text = "Written by Brannoch at Quillbrook",
     .left = 810, .top = 585, .width = 2385, .height = 195, .tabIndex = 2,
     .font = kRegular, .autoSize = true},
    {.name = "Label4", .kind = Kind::kLabel, .container = "",
     .text = "This program is freeware.",
     .left = 810, .top = 810, .width = 1770, .height = 195, .tabIndex = 3,
     .font = kRegular, .autoSize = true},
    {.name = "Label5", .kind = Kind::kLabel, .container = "", .text = "Contact : Brannoch -",
     .left = 90, .top = 1305, .width = 1695, .height = 195, .tabIndex = 4,
     .font = kRegular, .autoSize = true},
    {.name = "Label7", .kind = Kind::kLabel, .container = "", .text = "Quillbrook Homepage :",
     .left = 90, .top = 1530, .width = 1605, .height = 195, .tabIndex = 5,
     .font = kRegular, .autoSize = true},
    {.name = "Command3", .kind = Kind::kButton, .container = "", .text = "OK !",
     .left = 1440, .top = 1935, .width = 1410, .height = 330, .tabIndex = 6,
     .font = kBold, .graphical = true,
     .picture = IDP_BUTTON_FACE, .downPicture = IDP_BUTTON_DOWN},
    {.name = "Frame1", .kind = Kind::kFrame, .container = "", .text = "",
     .left = 90, .top = 1125, .width = 4110, .height = 60, .tabIndex = 7},
    {.name = "Picture1", .kind = Kind::kPictureBox, .container = "", .text = "",
     .left = 135, .top = 90, .width = 510, .height = 555, .tabIndex = 8,
     .backColor = kWhite, .picture = IDP_BOARD},
    {.name = "Label8", .kind = Kind::kLabel, .container = "", .text = kHomepageHost,
     .left = 1755, .top = 1530, .width = 1710, .height = 195, .tabIndex = 9,
     .foreColor = kBlue, .font = kLink, .autoSize = true, .mouseIcon = IDC_HAND_POINTER},
    {.name = "Label9", .kind = Kind::kLabel, .container = "", .text = kEmailAddress,
     .left = 1845, .top = 1305, .width = 2145, .height = 195, .tabIndex = 10,
     .foreColor = kBlue, .font = kLink, .autoSize = true, .mouseIcon = IDC_HAND_POINTER},
};
// clang-format on

}  // namespace form4_design

inline constexpr forms::WindowDesign kForm4Design = {
    .name = "Form4",
    .caption = "About Movarin",
    .clientWidth = 4275,
    .clientHeight = 2370,
    .border = forms::BorderStyle::kFixedSingle,
    .minButton = true,
    .maxButton = false,
    .showInTaskbar = true,
    .icon = IDI_ABOUT,
    .backColor = forms::kDefaultColor,
    .controls = form4_design::kControls,
};
