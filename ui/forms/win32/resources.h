// What the Win32 view draws with: the display's density, colours, fonts,
// brushes, and the pictures, icons and cursors embedded in the program. One
// ViewResources serves every window; what it hands out lives as long as it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#ifndef NOMINMAX
#define NOMINMAX
#endif
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>
// clang-format on

#include "ui/forms/forms.h"

namespace forms::win32 {

// Twips (1/1440 inch) to pixels at dpi dots per inch, rounded to nearest.
inline int TwipsToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, 1440);
}
// A design colour as GDI draws it; kDefaultColor stands for fallback.
COLORREF ResolveColor(Color color, Color fallback);
// lfHeight for that many points: minus the height without internal leading.
LONG FontHeight(double points, int dpi);

// A decoded picture, drawn at its natural size.
class Picture {
 public:
  Picture(IPicture* picture, int dpi);  // takes the reference
  ~Picture() { picture_->Release(); }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  SIZE Size() const { return size_; }
  // Its top-left corner at (x, y); transparent pixels (a GIF's transparent
  // entry, an icon's mask) leave hdc as it was.
  void Draw(HDC hdc, int x, int y) const;

 private:
  IPicture* picture_;
  SIZE himetric_ = {0, 0};
  SIZE size_;
};

class ViewResources {
 public:
  explicit ViewResources(HINSTANCE instance);
  ~ViewResources();
  ViewResources(const ViewResources&) = delete;
  ViewResources& operator=(const ViewResources&) = delete;

  HINSTANCE instance() const { return instance_; }
  int dpi() const { return dpi_; }
  int Px(int twips) const { return TwipsToPixels(twips, dpi_); }
  // A window class of the program with the arrow cursor and extraBytes of
  // window memory, registered once.
  const char* WindowClass(const char* name, WNDPROC procedure,
                          int extraBytes = 0);

  HFONT Font(const FontDesign& font);  // no face: "MS Sans Serif"
  HBRUSH Brush(COLORREF color);
  // The picture of a resource of type RT_PICTURE_DATA (JPEG, GIF, BMP or
  // ICO, decoded by OleLoadPicture), or null for id 0, a missing or an
  // undecodable one. The first decoding starts COM on the calling thread;
  // the destructor ends it.
  const Picture* LoadPicture(int id);
  HCURSOR Cursor(int id);                     // null: none
  HICON Icon(int id, int width, int height);  // null: none

 private:
  HINSTANCE instance_;
  int dpi_;
  std::map<std::tuple<std::string, int, int, bool>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::map<int, std::unique_ptr<Picture>> pictures_;
  bool comTried_ = false;
  bool comStarted_ = false;  // CoUninitialize is owed
};

}  // namespace forms::win32
