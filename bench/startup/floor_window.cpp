// The floor for the program's start-up time: its main window written by
// hand in plain Win32, with no forms runtime. The same window, the same 16
// child windows at the same places (labels are STATIC windows, frames group
// boxes, graphical buttons owner-drawn, sliders trackbars), the same fonts
// and the same embedded pictures, decoded by OleLoadPicture when first
// drawn. It ends when its window is closed.
//
// To see where the time goes, the environment variable FLOOR_WITHOUT may
// name parts to leave out: "children", "fonts" (the stock font instead),
// "pictures".
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <olectl.h>
// clang-format on

#include <cstring>

#include "ui/resource_ids.h"

namespace {

int dpi = 96;
char without[64] = "";  // FLOOR_WITHOUT
bool Without(const char* part) { return std::strstr(without, part) != nullptr; }
int Px(int twips) { return MulDiv(twips, dpi, 1440); }

enum Kind { kLabel, kFrame, kSlider, kOption, kButton, kPicture };

struct Child {
  Kind kind;
  const char* text;
  int left, top, width, height;  // twips, in the window's client area
  int picture;
  bool bold;
  bool disabled;
};

// Frames at their own corners, the controls inside them offset by it.
constexpr int kF1x = 105, kF1y = 105, kF2x = 105, kF2y = 1995;
constexpr Child kChildren[] = {
    {kFrame, "Overclocking", kF1x, kF1y, 3165, 1695, 0, true, false},
    {kPicture, "", kF1x + 120, kF1y + 270, 510, 510, IDP_GAUGE, false, false},
    {kPicture, "", kF1x + 1575, kF1y + 1260, 1410, 150, IDP_BAND_RIGHT, false,
     false},
    {kPicture, "", kF1x + 210, kF1y + 1260, 1365, 150, IDP_BAND_LEFT, false,
     false},
    {kLabel, "175", kF1x + 1395, kF1y + 585, 270, 195, 0, false, false},
    {kSlider, "", kF1x + 105, kF1y + 840, 2970, 375, 0, false, false},
    {kLabel, "Mhz", kF1x + 1785, kF1y + 585, 300, 195, 0, false, false},
    {kLabel, "Memory && Graphics Clock :", kF1x + 840, kF1y + 315, 1905, 195, 0,
     false, false},
    {kButton, "Apply", 2415, 3885, 870, 330, IDP_BUTTON_FACE, true, false},
    {kFrame, "Advanced Settings", kF2x, kF2y, 3165, 1695, 0, true, false},
    {kSlider, "", kF2x + 105, kF2y + 525, 2970, 300, 0, false, false},
    {kLabel, "Level Of Detail  =  0", kF2x + 210, kF2y + 315, 1410, 195, 0,
     false, false},
    {kOption, "To one game only", kF2x + 105, kF2y + 1260, 2955, 195, 0, false,
     true},
    {kOption, "Apply this to all Direct3D games", kF2x + 105, kF2y + 1050, 2955,
     195, 0, false, true},
    {kLabel, "K. Brannoch", 210, 3990, 900, 210, 0, false, false},
    {kButton, "About", 1470, 3885, 870, 330, IDP_BUTTON_FACE, true, false},
};
constexpr int kCount = sizeof kChildren / sizeof kChildren[0];
constexpr int kFirstId = 100;

HINSTANCE instance;
HFONT regular, bold, credit;
IPicture* pictures[kCount];

HFONT MakeFont(const char* face, int weight) {
  if (Without("fonts"))
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA font = {};
  font.lfHeight = -MulDiv(825, dpi, 7200);
  font.lfWeight = weight;
  font.lfCharSet = ANSI_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

// The picture of a resource, decoded on first use; ole32 and oleaut32 load
// then, as they do in the program.
IPicture* Decode(int id) {
  static auto createStream = reinterpret_cast<decltype(&CreateStreamOnHGlobal)>(
      reinterpret_cast<void (*)()>(
          GetProcAddress(LoadLibraryA("ole32.dll"), "CreateStreamOnHGlobal")));
  static auto loadPicture =
      reinterpret_cast<decltype(&OleLoadPicture)>(reinterpret_cast<void (*)()>(
          GetProcAddress(LoadLibraryA("oleaut32.dll"), "OleLoadPicture")));
  HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(id),
                             MAKEINTRESOURCEA(RT_PICTURE_DATA));
  if (!info || !createStream || !loadPicture) return nullptr;
  DWORD size = SizeofResource(instance, info);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), LockResource(LoadResource(instance, info)),
              size);
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  IPicture* picture = nullptr;
  if (SUCCEEDED(createStream(memory, TRUE, &stream))) {
    loadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                reinterpret_cast<void**>(&picture));
    stream->Release();
  }
  return picture;
}

void Draw(const DRAWITEMSTRUCT& item) {
  int index = static_cast<int>(item.CtlID) - kFirstId;
  const Child& child = kChildren[index];
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_INACTIVEBORDER));
  if (!pictures[index] && !Without("pictures"))
    pictures[index] = Decode(child.picture);
  if (IPicture* picture = pictures[index]) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    picture->Render(item.hDC, 0, 0, MulDiv(width, dpi, 2540),
                    MulDiv(height, dpi, 2540), 0, height, width, -height,
                    nullptr);
  }
  if (child.kind != kButton) return;
  SetBkMode(item.hDC, TRANSPARENT);
  RECT text = item.rcItem;
  DrawTextA(item.hDC, child.text, -1, &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  DrawEdge(item.hDC, const_cast<RECT*>(&item.rcItem), EDGE_RAISED, BF_RECT);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam,
                            LPARAM lparam) {
  switch (message) {
    case WM_DRAWITEM:
      Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wparam),
                 GetSysColor(COLOR_INACTIVEBORDER));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INACTIVEBORDER));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

HWND CreateChild(HWND parent, int index) {
  const Child& child = kChildren[index];
  const char* windowClass = "STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  switch (child.kind) {
    case kLabel:
      break;
    case kFrame:
      windowClass = "BUTTON";
      style |= BS_GROUPBOX;
      break;
    case kSlider:
      windowClass = TRACKBAR_CLASSA;
      style |= WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS;
      break;
    case kOption:
      windowClass = "BUTTON";
      style |= WS_TABSTOP | BS_RADIOBUTTON;
      break;
    case kButton:
      windowClass = "BUTTON";
      style |= WS_TABSTOP | BS_OWNERDRAW;
      break;
    case kPicture:
      style |= SS_OWNERDRAW;
      break;
  }
  if (child.disabled) style |= WS_DISABLED;
  HWND hwnd = CreateWindowExA(
      0, windowClass, child.text, style, Px(child.left), Px(child.top),
      Px(child.width), Px(child.height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + index)), instance,
      nullptr);
  if (child.kind == kSlider) {
    bool clock = child.height == 375;  // the clock slider, else level of detail
    SendMessageA(hwnd, TBM_SETRANGEMIN, FALSE, clock ? 175 : 0);
    SendMessageA(hwnd, TBM_SETRANGEMAX, FALSE, clock ? 210 : 10);
    SendMessageA(hwnd, TBM_SETPOS, TRUE, clock ? 175 : 0);
  }
  HFONT font = child.bold ? bold : regular;
  if (index == kCount - 2) font = credit;  // the credit line
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hinstance, HINSTANCE, LPSTR, int) {
  instance = hinstance;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  GetEnvironmentVariableA("FLOOR_WITHOUT", without, sizeof without);
  regular = MakeFont("MS Sans Serif", FW_NORMAL);
  bold = MakeFont("MS Sans Serif", FW_BOLD);
  credit = MakeFont("Arial", FW_NORMAL);

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MOVARIN));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_ACTIVEBORDER + 1);
  windowClass.lpszClassName = "MovarinFloorWindow";
  if (!RegisterClassA(&windowClass)) return 1;

  // Group boxes paint no inside of their own: no WS_CLIPCHILDREN.
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
  RECT frame = {0, 0, Px(3375), Px(4305)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window = CreateWindowExA(
      exStyle, windowClass.lpszClassName, "Movarin         v0.3", style,
      (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
      nullptr, instance, nullptr);
  if (!window) return 1;
  for (int i = 0; i < kCount && !Without("children"); ++i)
    CreateChild(window, i);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
