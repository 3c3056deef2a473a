// What the Win32 view draws with: the display's pixel density, colours,
// fonts, brushes, and the pictures, icons and cursors embedded in the
// program. One ViewResources serves every window of the program; what it
// hands out lives as long as it does.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "ui/forms/forms.h"
#include "ui/forms/win32/win32.h"

namespace forms::win32 {

// Twips (1/1440 inch) to pixels at dpi dots per inch, rounded to nearest.
int TwipsToPixels(int twips, int dpi);

// A design colour as GDI draws it: 0x800000nn is system colour nn, looked
// up now; kDefaultColor is fallback (itself a design colour).
COLORREF ResolveColor(Color color, Color fallback);

// The height of a font of that many points, as LOGFONT's lfHeight wants it
// (negative: the character height without internal leading).
LONG FontHeight(double points, int dpi);

// The face of text that names none: the window's default font.
inline constexpr const char* kDefaultFace = "MS Sans Serif";

// A decoded picture, drawn at its natural size.
class Picture {
 public:
  Picture(IPicture* picture, int dpi);  // takes the reference
  ~Picture() { picture_->Release(); }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  SIZE Size() const { return size_; }
  // Draws the picture with its top-left corner at (x, y); transparent
  // pixels (a GIF's transparent entry, an icon's mask) leave hdc as it was.
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

  // The font of a design (null face: kDefaultFace).
  HFONT Font(const FontDesign& font);
  HBRUSH Brush(COLORREF color);
  // The picture of a resource id of type RT_PICTURE_DATA (JPEG, GIF, BMP,
  // ICO data decoded by OleLoadPicture). Null when the id is 0, missing or
  // undecodable. The first decode initialises COM on the calling
  // thread (the decoder needs it); the destructor ends it again.
  const Picture* LoadPicture(int id);
  // The size LoadPicture(id) will have, read from the data's header where
  // that is cheap (GIF) so that the decoding can wait until the picture is
  // first drawn; other pictures are decoded now. False when there is no
  // picture. The decoded size may still differ where the decoder reads a
  // GIF otherwise; Picture::Size is the truth.
  bool PictureSize(int id, SIZE& size);
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
