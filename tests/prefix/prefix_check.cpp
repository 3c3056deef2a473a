// Checks the Wine prefix the program and its tests run in: the design font
// and the classic colour scheme, as tools/setup-prefix sets them up. Prints
// what it measured; exits non-zero on any difference.
#include <windows.h>
#include <uxtheme.h>

#include <cstdio>
#include <cstring>

namespace {

int failures = 0;

void Expect(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++failures;
}

// The design's labels are sized for MS Sans Serif 8.25 pt at 96 DPI: one
// line 13 px high, the level-of-detail readout 94 px wide.
void CheckDesignFont() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  const int height = -MulDiv(825, dpi, 7200);
  HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
  HGDIOBJ old = SelectObject(screen, font);

  char face[LF_FACESIZE] = {};
  GetTextFaceA(screen, sizeof face, face);
  const char text[] = "Level Of Detail  =  0";
  SIZE extent = {};
  GetTextExtentPoint32A(screen, text, static_cast<int>(std::strlen(text)),
                        &extent);
  SIZE digit = {};
  GetTextExtentPoint32A(screen, "0", 1, &digit);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(screen, &metrics);

  std::printf("dpi %d, font height %d, face \"%s\", %s\n", dpi, height, face,
              (metrics.tmPitchAndFamily & TMPF_VECTOR) ? "scalable"
                                                       : "bitmap");
  std::printf("\"%s\": %ld x %ld px; a digit %ld px wide\n", text, extent.cx,
              extent.cy, digit.cx);

  Expect(dpi == 96, "the display has 96 DPI");
  Expect(std::strcmp(face, "MS Sans Serif") == 0,
         "CreateFont(\"MS Sans Serif\") gets MS Sans Serif");
  Expect(extent.cx == 94 && extent.cy == 13,
         "\"Level Of Detail  =  0\" is 94 x 13 px");
  Expect(digit.cx == 6, "a digit is 6 px wide");

  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
}

// Arial, the credit line's face, is not part of Wine: it resolves to a face
// of like widths. Its line height is reported, not checked: Windows' Arial
// takes 14 px at 8.25 pt, the usual stand-in 12.
void ReportCreditFont() {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "Arial");
  HGDIOBJ old = SelectObject(screen, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(screen, sizeof face, face);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(screen, &metrics);
  std::printf("Arial 8.25 pt is drawn with \"%s\", one line %ld px\n", face,
              metrics.tmHeight);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
}

void CheckColours() {
  struct {
    int index;
    const char* what;
    COLORREF want;
  } const colours[] = {
      {COLOR_ACTIVEBORDER, "ActiveBorder (10) is grey", RGB(192, 192, 192)},
      {COLOR_INACTIVEBORDER, "InactiveBorder (11) is grey", RGB(192, 192, 192)},
      {COLOR_BTNFACE, "ButtonFace is grey", RGB(192, 192, 192)},
      {COLOR_WINDOW, "Window is white", RGB(255, 255, 255)},
      {COLOR_ACTIVECAPTION, "ActiveTitle is dark blue", RGB(0, 0, 128)},
  };
  Expect(!IsThemeActive(), "no visual theme");
  for (const auto& c : colours) {
    const COLORREF got = GetSysColor(c.index);
    if (got != c.want) {
      std::printf("system colour %d is %d %d %d\n", c.index, GetRValue(got),
                  GetGValue(got), GetBValue(got));
    }
    Expect(got == c.want, c.what);
  }
}

}  // namespace

int main() {
  CheckDesignFont();
  ReportCreditFont();
  CheckColours();
  std::printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
