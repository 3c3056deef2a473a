#include "tests/e2e/session.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {
double g_timeScale = 1;
}

bool ReadTimeScale() {
  const char* text = std::getenv("MOVARIN_E2E_TIME_SCALE");
  if (!text || !*text) return true;
  char* end = nullptr;
  const double scale = std::strtod(text, &end);
  if (*end != '\0' || !std::isfinite(scale) || scale <= 0) {
    std::fprintf(stderr,
                 "MOVARIN_E2E_TIME_SCALE is \"%s\": it must be a positive "
                 "number, the factor for every wait (1 when unset)\n",
                 text);
    return false;
  }
  g_timeScale = scale;
  std::printf("-- every wait at %g times its length\n", scale);
  return true;
}

int Scaled(int ms) {
  return static_cast<int>(
      std::min(std::round(ms * g_timeScale), static_cast<double>(INT_MAX)));
}

void Pause(int ms) { Sleep(Scaled(ms)); }

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  const int n = static_cast<int>(prefix.size());
  return text.size() >= prefix.size() &&
         CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.c_str(), n,
                        prefix.c_str(), n) == CSTR_EQUAL;
}

bool WaitUntil(const std::function<bool()>& ready, int timeoutMs) {
  const DWORD start = GetTickCount();
  const DWORD limit = Scaled(timeoutMs);
  for (;;) {
    if (ready()) return true;
    if (GetTickCount() - start >= limit) return ready();
    Sleep(30);
  }
}

// ------------------------------------------------------------- program --

RunningProgram::~RunningProgram() {
  if (info_.hProcess) {
    Kill();
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool RunningProgram::Start(const std::string& exePath) {
  std::string path = WindowsPath(exePath);
  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      0, nullptr, nullptr, &startup, &info_)) {
    std::printf("cannot start %s: error %lu\n", path.c_str(), GetLastError());
    info_ = {};
    return false;
  }
  WaitForInputIdle(info_.hProcess, Scaled(10000));
  return true;
}

bool RunningProgram::Running() const {
  return info_.hProcess &&
         WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitExit(int timeoutMs) {
  return info_.hProcess &&
         WaitForSingleObject(info_.hProcess, Scaled(timeoutMs)) ==
             WAIT_OBJECT_0;
}

bool RunningProgram::Close(HWND mainWindow) {
  if (!Running()) return true;
  if (mainWindow) PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  if (WaitExit(5000)) return true;
  Kill();
  return false;
}

void RunningProgram::Kill() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, Scaled(5000));
  }
}

// -------------------------------------------------------------- windows --

std::string ClassOf(HWND hwnd) {
  char buf[256] = "";
  GetClassNameA(hwnd, buf, sizeof buf);
  return buf;
}

LRESULT Ask(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG,
                           Scaled(3000), &result))
    return -1;
  return static_cast<LRESULT>(result);
}

std::string TextOf(HWND hwnd) {
  const LRESULT length = Ask(hwnd, WM_GETTEXTLENGTH);
  if (length < 0) return "<no answer>";
  std::vector<char> buf(length + 2, '\0');
  if (Ask(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data())) <
      0)
    return "<no answer>";
  return std::string(buf.data());
}

bool SetTextOf(HWND hwnd, const std::string& text) {
  return Ask(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ==
         TRUE;
}

RECT RectIn(HWND hwnd, HWND ref) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, ref, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

namespace {
BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

bool SameText(const std::string& a, const std::string& b) {
  return _stricmp(a.c_str(), b.c_str()) == 0;
}
}  // namespace

std::vector<HWND> TopWindows(DWORD pid) {
  std::vector<HWND> all, out;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND w : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid) out.push_back(w);
  }
  return out;
}

HWND WaitForWindow(DWORD pid, const std::function<bool(HWND)>& match,
                   int timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopWindows(pid))
          if (!found && IsWindowVisible(w) && match(w)) found = w;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

HWND WaitForWindowTitled(DWORD pid, const std::string& title, int timeoutMs) {
  return WaitForWindow(
      pid, [&](HWND w) { return TextOf(w) == title; }, timeoutMs);
}

HWND WaitForMessageBox(DWORD pid, const std::string& caption, int timeoutMs) {
  return WaitForWindow(
      pid,
      [&](HWND w) { return ClassOf(w) == "#32770" && TextOf(w) == caption; },
      timeoutMs);
}

bool WaitGone(HWND hwnd, int timeoutMs) {
  return WaitUntil([&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); },
                   timeoutMs);
}

std::vector<Child> Descendants(HWND top) {
  std::vector<HWND> handles;
  EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&handles));
  std::vector<Child> out;
  for (HWND h : handles)
    out.push_back({h, ClassOf(h), TextOf(h), StyleOf(h),
                   IsWindowEnabled(h) != 0, IsWindowVisible(h) != 0});
  return out;
}

HWND FindChild(HWND top, const std::string& cls, const std::string& text) {
  HWND found = nullptr;
  int count = 0;
  for (const Child& c : Descendants(top)) {
    if ((cls.empty() || SameText(c.cls, cls)) && c.text == text) {
      found = c.hwnd;
      ++count;
    }
  }
  return count == 1 ? found : nullptr;
}

std::vector<HWND> FindChildren(HWND top, const std::string& cls) {
  std::vector<HWND> out;
  for (const Child& c : Descendants(top))
    if (SameText(c.cls, cls)) out.push_back(c.hwnd);
  return out;
}

std::string MessageBoxText(HWND box) {
  std::string out;
  for (const Child& c : Descendants(box)) {
    if (SameText(c.cls, "Static") && !c.text.empty()) {
      if (!out.empty()) out += "\n";
      out += c.text;
    }
  }
  return out;
}

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void PostMouseClick(HWND hwnd, int x, int y) {
  LPARAM at = MAKELPARAM(x, y);
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(hwnd, WM_LBUTTONUP, 0, at);
}

void PostClickAlong(HWND hwnd, double along) {
  RECT r{};
  GetClientRect(hwnd, &r);
  PostMouseClick(hwnd, static_cast<int>(r.right * along), r.bottom / 2);
}

void PostKey(HWND hwnd, UINT vk) {
  UINT scan = MapVirtualKeyA(vk, 0);
  PostMessageA(hwnd, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageA(hwnd, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
}

void PostChars(HWND hwnd, const std::string& text) {
  for (unsigned char c : text) PostMessageA(hwnd, WM_CHAR, c, 1);
}

void SendShiftTab() {
  INPUT keys[4] = {};
  const WORD order[4] = {VK_SHIFT, VK_TAB, VK_TAB, VK_SHIFT};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = order[i];
    keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(4, keys, sizeof(INPUT));
}

HWND FocusOf(HWND hwnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info))
    return nullptr;
  return info.hwndFocus;
}

bool WaitText(HWND hwnd, const std::string& expected, int timeoutMs) {
  return WaitUntil([&] { return TextOf(hwnd) == expected; }, timeoutMs);
}

// -------------------------------------------------------------- capture --

bool Capture::ShowsOnly(COLORREF color, COLORREF other) const {
  bool seen = false;
  for (std::size_t i = 0; i + 2 < bgr.size(); i += 3) {
    const COLORREF pixel = RGB(bgr[i + 2], bgr[i + 1], bgr[i]);
    if (pixel == other) return false;
    seen |= pixel == color;
  }
  return seen;
}

Capture CaptureScreen(const RECT& rect) {
  Capture out;
  out.width = rect.right - rect.left;
  out.height = rect.bottom - rect.top;
  if (out.width <= 0 || out.height <= 0) return out;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  // 24-bit pixels, rows padded to four bytes; a negative height: top row
  // first.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = out.width;
  info.bmiHeader.biHeight = -out.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, out.width, out.height, screen, rect.left, rect.top,
         SRCCOPY);
  GdiFlush();
  const std::size_t stride =
      (static_cast<std::size_t>(out.width) * 3 + 3) & ~3u;
  out.bgr.resize(static_cast<std::size_t>(out.width) * out.height * 3);
  for (int y = 0; y < out.height; ++y)
    std::memcpy(&out.bgr[static_cast<std::size_t>(y) * out.width * 3],
                static_cast<std::uint8_t*>(bits) + y * stride,
                static_cast<std::size_t>(out.width) * 3);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return out;
}

}  // namespace e2e
