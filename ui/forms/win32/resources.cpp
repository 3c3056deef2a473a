#include "ui/forms/win32/resources.h"

#include <cmath>
#include <cstring>

#include "ui/resource_ids.h"

namespace forms::win32 {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kHimetricPerInch = 2540;
constexpr Color kSystemColorFlag = 0x80000000u;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// OleLoadPicture over a private copy of the data: the stream owns its
// memory, the resource stays untouched.
IPicture* DecodePicture(const void* data, DWORD size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  void* copy = GlobalLock(memory);
  if (!copy) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(copy, data, size);
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  HRESULT result =
      OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                     reinterpret_cast<void**>(&picture));
  stream->Release();
  return SUCCEEDED(result) ? picture : nullptr;
}

}  // namespace

int TwipsToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

COLORREF ResolveColor(Color color, Color fallback) {
  if (color == kDefaultColor) color = fallback;
  if (color & kSystemColorFlag)
    return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

LONG FontHeight(double points, int dpi) {
  int hundredths = static_cast<int>(std::lround(points * 100.0));
  return -MulDiv(hundredths, dpi, 72 * 100);
}

// ---------------------------------------------------------------- Picture --

Picture::Picture(IPicture* picture, int dpi) : picture_(picture) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Width(&width);
  picture_->get_Height(&height);
  size_.cx = MulDiv(width, dpi, kHimetricPerInch);
  size_.cy = MulDiv(height, dpi, kHimetricPerInch);
}

Picture::Picture(HICON icon) : icon_(icon) {
  ICONINFO info = {};
  if (GetIconInfo(icon, &info)) {
    BITMAP bitmap = {};
    if (GetObjectA(info.hbmMask, sizeof bitmap, &bitmap)) {
      size_.cx = bitmap.bmWidth;
      size_.cy = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
    }
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

Picture::~Picture() {
  if (picture_) picture_->Release();
  if (icon_) DestroyIcon(icon_);
}

void Picture::Draw(HDC hdc, int x, int y) const {
  if (icon_) {
    DrawIconEx(hdc, x, y, icon_, size_.cx, size_.cy, 0, nullptr, DI_NORMAL);
    return;
  }
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Width(&width);
  picture_->get_Height(&height);
  // The source rectangle runs bottom-up in HIMETRIC.
  picture_->Render(hdc, x, y, size_.cx, size_.cy, 0, height, width, -height,
                   nullptr);
}

// ---------------------------------------------------------- ViewResources --

ViewResources::ViewResources(HINSTANCE instance)
    : instance_(instance), dpi_(ScreenDpi()) {}

ViewResources::~ViewResources() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
  for (auto& [key, icon] : icons_) DestroyIcon(icon);
  // Cursors from LoadCursor are shared: never destroyed.
}

HFONT ViewResources::Font(const FontDesign& design) {
  std::string face = design.face ? design.face : kDefaultFace;
  int hundredths = static_cast<int>(std::lround(design.points * 100.0));
  auto key = std::make_tuple(face, hundredths, design.weight, design.underline);
  if (auto found = fonts_.find(key); found != fonts_.end())
    return found->second;

  LOGFONTA logFont = {};
  logFont.lfHeight = FontHeight(design.points, dpi_);
  logFont.lfWeight = design.weight;
  logFont.lfUnderline = design.underline ? TRUE : FALSE;
  logFont.lfCharSet = ANSI_CHARSET;
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynA(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&logFont);
  if (!font)
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  else
    fonts_[key] = font;
  return font;
}

HBRUSH ViewResources::Brush(COLORREF color) {
  if (auto found = brushes_.find(color); found != brushes_.end())
    return found->second;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_[color] = brush;
  return brush;
}

const Picture* ViewResources::LoadPicture(int id) {
  if (id == 0) return nullptr;
  if (auto found = pictures_.find(id); found != pictures_.end())
    return found->second.get();

  std::unique_ptr<Picture> picture;
  if (HRSRC info = FindResourceA(instance_, MAKEINTRESOURCEA(id),
                                 MAKEINTRESOURCEA(RT_PICTURE_DATA))) {
    HGLOBAL loaded = LoadResource(instance_, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(instance_, info);
    if (data && size > 0) {
      if (IPicture* decoded = DecodePicture(data, size))
        picture = std::make_unique<Picture>(decoded, dpi_);
    }
  } else if (HANDLE icon = LoadImageA(instance_, MAKEINTRESOURCEA(id),
                                      IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)) {
    picture = std::make_unique<Picture>(static_cast<HICON>(icon));
  }
  const Picture* result = picture.get();
  pictures_[id] = std::move(picture);
  return result;
}

HCURSOR ViewResources::Cursor(int id) {
  if (id == 0) return nullptr;
  if (auto found = cursors_.find(id); found != cursors_.end())
    return found->second;
  HCURSOR cursor = LoadCursorA(instance_, MAKEINTRESOURCEA(id));
  cursors_[id] = cursor;
  return cursor;
}

HICON ViewResources::Icon(int id, int width, int height) {
  if (id == 0) return nullptr;
  auto key = std::make_tuple(id, width, height);
  if (auto found = icons_.find(key); found != icons_.end())
    return found->second;
  HICON icon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id),
                                             IMAGE_ICON, width, height, 0));
  if (icon) icons_[key] = icon;
  return icon;
}

}  // namespace forms::win32
