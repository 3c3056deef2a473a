// Checks the Wine prefix the program and its tests run in: the design's
// fonts and the classic colour scheme, as tools/setup-prefix sets them up.
// Prints what it measured; exits non-zero on any difference.
#include <windows.h>
// After windows.h, which it needs.
#include <uxtheme.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
  HFONT font =
      CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
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
              (metrics.tmPitchAndFamily & TMPF_VECTOR) ? "scalable" : "bitmap");
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

// Arial, the credit line's face, is not part of Wine: the prefix replaces it
// with Liberation Sans, which has Arial's metrics. Any other stand-in (Wine
// takes what the system offers) is much wider, so the widths are checked:
// at an em of 1000 pixels a character's advance is its width in Arial's
// design (Helvetica's widths, 1/1000 em), and at the design's 8.25 pt the
// credit text is 60 pixels wide, as its label is laid out.
void CheckCreditFont() {
  HDC screen = GetDC(nullptr);
  const auto create = [](int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
  };

  HFONT large = create(-1000);
  HGDIOBJ old = SelectObject(screen, large);
  char full[256] = "?";
  if (UINT size = GetOutlineTextMetricsA(screen, 0, nullptr)) {
    auto* otm = static_cast<OUTLINETEXTMETRICA*>(std::malloc(size));
    if (otm && GetOutlineTextMetricsA(screen, size, otm)) {
      std::snprintf(full, sizeof full, "%s",
                    reinterpret_cast<const char*>(otm) +
                        reinterpret_cast<std::uintptr_t>(otm->otmpFaceName));
    }
    std::free(otm);
  }
  std::printf("Arial is drawn with \"%s\"\n", full);
  struct {
    char c;
    int width;
  } const widths[] = {{' ', 278}, {'0', 556}, {'@', 1015}, {'A', 667},
                      {'I', 278}, {'M', 833}, {'W', 944},  {'a', 556},
                      {'c', 500}, {'i', 222}, {'m', 833},  {'r', 333}};
  int off = 0;
  for (const auto& w : widths) {
    INT got = 0;
    GetCharWidth32A(screen, static_cast<unsigned char>(w.c),
                    static_cast<unsigned char>(w.c), &got);
    if (got < w.width - 1 || got > w.width + 1) {
      std::printf("'%c' is %d/1000 em wide, Arial's is %d\n", w.c, got,
                  w.width);
      ++off;
    }
  }
  Expect(off == 0, "Arial's stand-in has Arial's character widths");
  SelectObject(screen, old);
  DeleteObject(large);

  HFONT design = create(-MulDiv(825, GetDeviceCaps(screen, LOGPIXELSY), 7200));
  old = SelectObject(screen, design);
  const char credit[] = "K. Brannoch";
  SIZE extent = {};
  GetTextExtentPoint32A(screen, credit, static_cast<int>(std::strlen(credit)),
                        &extent);
  std::printf("\"%s\" in Arial 8.25 pt: %ld x %ld px\n", credit, extent.cx,
              extent.cy);
  Expect(extent.cx == 60, "\"K. Brannoch\" in Arial 8.25 pt is 60 px wide");
  SelectObject(screen, old);
  DeleteObject(design);
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
  CheckCreditFont();
  CheckColours();
  std::printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
