#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

ControlView::WindowClass CustomView::Class() const {
  return {RegisterCustomClass(resources().instance()), 0, 0};
}

LRESULT CustomView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC hdc = BeginPaint(hwnd(), &paint);
      RECT client;
      GetClientRect(hwnd(), &client);
      Paint(hdc, client);
      EndPaint(hwnd(), &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(hwnd(), &client);
      Paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        if (HCURSOR cursor = resources().Cursor(control().design().mouseIcon)) {
          SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    case WM_MOUSEMOVE:
      control().UserMouseMove();
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd());
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() != hwnd()) return 0;
      ReleaseCapture();
      RECT client;
      GetClientRect(hwnd(), &client);
      POINT point = {static_cast<short>(LOWORD(lParam)),
                     static_cast<short>(HIWORD(lParam))};
      if (PtInRect(&client, point)) control().UserClick();
      return 0;
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace forms::win32
