#include "ui/forms/win32/resources.h"

#include <cmath>

#include "ui/resource_ids.h"

namespace forms::win32 {

namespace {

constexpr int kHimetricPerInch = 2540;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// The COM and picture functions, loaded at the first picture: importing
// ole32 and oleaut32 would load both before the first window shows.
struct Ole {
  decltype(&::CoInitialize) coInitialize;
  decltype(&::CoUninitialize) coUninitialize;
  decltype(&::CreateStreamOnHGlobal) createStreamOnHGlobal;
  decltype(&::OleLoadPicture) oleLoadPicture;
};

// A function of a library that stays loaded, or null.
template <typename Function>
Function Find(const char* library, const char* name) {
  HMODULE module = LoadLibraryA(library);
  FARPROC address = module ? GetProcAddress(module, name) : nullptr;
  // Through void (*)(), which converts to any function type unwarned.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// Null when a library or function is missing.
const Ole* LoadOle() {
  static const Ole ole = {
      Find<decltype(Ole::coInitialize)>("ole32.dll", "CoInitialize"),
      Find<decltype(Ole::coUninitialize)>("ole32.dll", "CoUninitialize"),
      Find<decltype(Ole::createStreamOnHGlobal)>("ole32.dll",
                                                 "CreateStreamOnHGlobal"),
      Find<decltype(Ole::oleLoadPicture)>("oleaut32.dll", "OleLoadPicture")};
  bool complete = ole.coInitialize && ole.coUninitialize &&
                  ole.createStreamOnHGlobal && ole.oleLoadPicture;
  return complete ? &ole : nullptr;
}

// OleLoadPicture over a copy of the data in a stream of its own.
IPicture* DecodePicture(const Ole& ole, const void* data, DWORD size) {
  IStream* stream = nullptr;
  if (FAILED(ole.createStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
  IPicture* picture = nullptr;
  const LARGE_INTEGER start = {};
  if (FAILED(stream->Write(data, size, nullptr)) ||
      FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
      FAILED(ole.oleLoadPicture(stream, static_cast<LONG>(size), FALSE,
                                IID_IPicture,
                                reinterpret_cast<void**>(&picture))))
    picture = nullptr;
  stream->Release();
  return picture;
}

// The data of a resource of type RT_PICTURE_DATA, or null.
const unsigned char* PictureData(HINSTANCE instance, int id, DWORD& size) {
  HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(id),
                             MAKEINTRESOURCEA(RT_PICTURE_DATA));
  if (!info) return nullptr;
  HGLOBAL loaded = LoadResource(instance, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  size = SizeofResource(instance, info);
  return data && size > 0 ? static_cast<const unsigned char*>(data) : nullptr;
}

}  // namespace

COLORREF ResolveColor(Color color, Color fallback) {
  if (color == kDefaultColor) color = fallback;
  if (color & SystemColor(0))
    return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

LONG FontHeight(double points, int dpi) {
  return -MulDiv(static_cast<int>(std::lround(points * 100.0)), dpi, 72 * 100);
}

Picture::Picture(IPicture* picture, int dpi) : picture_(picture) {
  picture_->get_Width(&himetric_.cx);
  picture_->get_Height(&himetric_.cy);
  size_.cx = MulDiv(himetric_.cx, dpi, kHimetricPerInch);
  size_.cy = MulDiv(himetric_.cy, dpi, kHimetricPerInch);
}

void Picture::Draw(HDC hdc, int x, int y) const {
  // The source rectangle runs bottom-up in HIMETRIC.
  picture_->Render(hdc, x, y, size_.cx, size_.cy, 0, himetric_.cy, himetric_.cx,
                   -himetric_.cy, nullptr);
}

ViewResources::ViewResources(HINSTANCE instance)
    : instance_(instance), dpi_(ScreenDpi()) {}

ViewResources::~ViewResources() {
  pictures_.clear();  // released while COM still runs
  if (comStarted_) LoadOle()->coUninitialize();
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
}

HFONT ViewResources::Font(const FontDesign& design) {
  std::string face = design.face ? design.face : "MS Sans Serif";
  auto key = std::make_tuple(face, FontHeight(design.points, dpi_),
                             design.weight, design.underline);
  if (auto found = fonts_.find(key); found != fonts_.end())
    return found->second;
  LOGFONTA logFont = {};  // ANSI_CHARSET, default precision and quality
  logFont.lfHeight = FontHeight(design.points, dpi_);
  logFont.lfWeight = design.weight;
  logFont.lfUnderline = design.underline ? TRUE : FALSE;
  lstrcpynA(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&logFont);
  if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return fonts_[key] = font;
}

HBRUSH ViewResources::Brush(COLORREF color) {
  HBRUSH& brush = brushes_[color];
  if (!brush) brush = CreateSolidBrush(color);
  return brush;
}

const Picture* ViewResources::LoadPicture(int id) {
  if (id == 0) return nullptr;
  if (auto found = pictures_.find(id); found != pictures_.end())
    return found->second.get();
  std::unique_ptr<Picture>& picture = pictures_[id];
  DWORD size = 0;
  const unsigned char* data = PictureData(instance_, id, size);
  const Ole* ole = data ? LoadOle() : nullptr;
  if (!ole) return nullptr;
  if (!comTried_) {
    comTried_ = true;
    // S_FALSE (already running on this thread) is owed a CoUninitialize
    // too; another threading model still lets the decoder run.
    comStarted_ = SUCCEEDED(ole->coInitialize(nullptr));
  }
  if (IPicture* decoded = DecodePicture(*ole, data, size))
    picture = std::make_unique<Picture>(decoded, dpi_);
  return picture.get();
}

const char* ViewResources::WindowClass(const char* name, WNDPROC procedure,
                                       int extraBytes) {
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(instance_, name, &windowClass)) return name;
  windowClass.lpfnWndProc = procedure;
  windowClass.cbWndExtra = extraBytes;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
  return name;
}

// Both shared: the system keeps one copy per id and size, never destroyed.
HCURSOR ViewResources::Cursor(int id) {
  return id ? LoadCursorA(instance_, MAKEINTRESOURCEA(id)) : nullptr;
}

HICON ViewResources::Icon(int id, int width, int height) {
  if (id == 0) return nullptr;
  return static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id),
                                       IMAGE_ICON, width, height, LR_SHARED));
}

}  // namespace forms::win32
