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

// The COM and picture functions of ole32 and oleaut32, loaded at the first
// picture: no window needs either library before it paints a picture, and
// importing them would load both before the first window shows.
struct Ole {
  decltype(&::CoInitialize) coInitialize = nullptr;
  decltype(&::CoUninitialize) coUninitialize = nullptr;
  decltype(&::CreateStreamOnHGlobal) createStreamOnHGlobal = nullptr;
  decltype(&::OleLoadPicture) oleLoadPicture = nullptr;
};

template <typename Function>
void Bind(HMODULE module, const char* name, Function& function) {
  FARPROC address = module ? GetProcAddress(module, name) : nullptr;
  // Through void (*)(), the type that converts to any other without a
  // warning.
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// The functions, or null when a library or function is missing. The
// libraries stay loaded for the life of the process.
const Ole* LoadOle() {
  static const Ole ole = [] {
    Ole loaded;
    HMODULE ole32 = LoadLibraryA("ole32.dll");
    HMODULE oleaut32 = LoadLibraryA("oleaut32.dll");
    Bind(ole32, "CoInitialize", loaded.coInitialize);
    Bind(ole32, "CoUninitialize", loaded.coUninitialize);
    Bind(ole32, "CreateStreamOnHGlobal", loaded.createStreamOnHGlobal);
    Bind(oleaut32, "OleLoadPicture", loaded.oleLoadPicture);
    return loaded;
  }();
  bool complete = ole.coInitialize && ole.coUninitialize &&
                  ole.createStreamOnHGlobal && ole.oleLoadPicture;
  return complete ? &ole : nullptr;
}

// OleLoadPicture over a private copy of the data: the stream owns its
// memory, the resource stays untouched.
IPicture* DecodePicture(const Ole& ole, const void* data, DWORD size) {
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
  if (FAILED(ole.createStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  HRESULT result =
      ole.oleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                         reinterpret_cast<void**>(&picture));
  stream->Release();
  return SUCCEEDED(result) ? picture : nullptr;
}

// The resource data of a picture of type RT_PICTURE_DATA, or null.
const unsigned char* PictureData(HINSTANCE instance, int id, DWORD& size) {
  HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(id),
                             MAKEINTRESOURCEA(RT_PICTURE_DATA));
  if (!info) return nullptr;
  HGLOBAL loaded = LoadResource(instance, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  size = SizeofResource(instance, info);
  return data && size > 0 ? static_cast<const unsigned char*>(data) : nullptr;
}

// The pixel size in a GIF's logical screen descriptor; false for data that
// is no GIF.
bool GifSize(const unsigned char* data, DWORD size, SIZE& pixels) {
  constexpr DWORD kHeaderSize = 10;  // "GIF87a" or "GIF89a", width, height
  if (size < kHeaderSize || std::memcmp(data, "GIF8", 4) != 0 ||
      (data[4] != '7' && data[4] != '9') || data[5] != 'a')
    return false;
  pixels.cx = data[6] | (data[7] << 8);
  pixels.cy = data[8] | (data[9] << 8);
  return pixels.cx > 0 && pixels.cy > 0;
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

// ---------------------------------------------------------- ViewResources --

ViewResources::ViewResources(HINSTANCE instance)
    : instance_(instance), dpi_(ScreenDpi()) {}

ViewResources::~ViewResources() {
  pictures_.clear();  // released while COM still runs
  if (comStarted_) LoadOle()->coUninitialize();
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
}

HFONT ViewResources::Font(const FontDesign& design) {
  std::string face = design.face ? design.face : kDefaultFace;
  int hundredths = static_cast<int>(std::lround(design.points * 100.0));
  auto key = std::make_tuple(face, hundredths, design.weight, design.underline);
  if (auto found = fonts_.find(key); found != fonts_.end())
    return found->second;

  LOGFONTA logFont = {};  // ANSI_CHARSET, default precision and quality
  logFont.lfHeight = FontHeight(design.points, dpi_);
  logFont.lfWeight = design.weight;
  logFont.lfUnderline = design.underline ? TRUE : FALSE;
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
  DWORD size = 0;
  if (const unsigned char* data = PictureData(instance_, id, size)) {
    if (const Ole* ole = LoadOle()) {
      if (!comTried_) {
        comTried_ = true;
        // S_FALSE (already running on this thread) is owed a CoUninitialize
        // too; another threading model still lets the decoder run.
        comStarted_ = SUCCEEDED(ole->coInitialize(nullptr));
      }
      if (IPicture* decoded = DecodePicture(*ole, data, size))
        picture = std::make_unique<Picture>(decoded, dpi_);
    }
  }
  const Picture* result = picture.get();
  pictures_[id] = std::move(picture);
  return result;
}

bool ViewResources::PictureSize(int id, SIZE& size) {
  if (id != 0 && pictures_.find(id) == pictures_.end()) {
    DWORD bytes = 0;
    SIZE pixels;
    const unsigned char* data = PictureData(instance_, id, bytes);
    if (data && GifSize(data, bytes, pixels)) {
      // As the decoder gives it: pixels to HIMETRIC at the display's
      // density, and back as Picture does.
      size.cx = MulDiv(MulDiv(pixels.cx, kHimetricPerInch, dpi_), dpi_,
                       kHimetricPerInch);
      size.cy = MulDiv(MulDiv(pixels.cy, kHimetricPerInch, dpi_), dpi_,
                       kHimetricPerInch);
      return true;
    }
  }
  const Picture* picture = LoadPicture(id);
  if (!picture) return false;
  size = picture->Size();
  return true;
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
