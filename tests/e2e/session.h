// Driving the real program from outside, as a user would: start it, find
// its windows and controls, read what they show, click and type by posted
// messages, answer message boxes, and read the screen's pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A Windows form of a path given on the command line: a Unix path
// ("/tmp/...") becomes the same file on drive Z:.
std::string WindowsPath(const std::string& path);

// text begins with prefix, in any case (CompareStringA's NORM_IGNORECASE).
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

// The run's time scale: every wait, timeout and stall bound of the driver
// is this many times its nominal length, for a program that runs slower
// than usual (on an emulated machine, say). Read from the environment
// variable MOVARIN_E2E_TIME_SCALE, a positive number (unset or empty: 1);
// false, with the reason printed, when it holds anything else.
bool ReadTimeScale();
// A nominal length in milliseconds at the run's time scale.
int Scaled(int ms);
// Gives the program ms (scaled) to do what a check then expects undone.
void Pause(int ms);

// Polls until ready() or timeoutMs (scaled) passed; returns ready()'s last
// answer.
bool WaitUntil(const std::function<bool()>& ready, int timeoutMs = 5000);

// One run of the program under test. The destructor ends it if it still
// runs.
class RunningProgram {
 public:
  RunningProgram() = default;
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Start(const std::string& exePath);
  bool Running() const;
  DWORD pid() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }
  // Waits for the process to end; true when it did within timeoutMs
  // (scaled).
  bool WaitExit(int timeoutMs);
  // Closes the main window and waits for the process to end; kills it when
  // it does not. True when it ended by itself.
  bool Close(HWND mainWindow);
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

// Sends a message across processes; -1 when no answer came within 3 s
// (scaled).
LRESULT Ask(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Window facts, readable across processes.
std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);                       // WM_GETTEXT
bool SetTextOf(HWND hwnd, const std::string& text);  // WM_SETTEXT
inline LONG StyleOf(HWND hwnd) { return GetWindowLongA(hwnd, GWL_STYLE); }
inline LONG ExStyleOf(HWND hwnd) { return GetWindowLongA(hwnd, GWL_EXSTYLE); }
// The window's rectangle in ref's client coordinates (null: the screen).
RECT RectIn(HWND hwnd, HWND ref);
inline RECT ScreenRect(HWND hwnd) { return RectIn(hwnd, nullptr); }

// The top-level windows of a process (visible or not).
std::vector<HWND> TopWindows(DWORD pid);
// The first visible top-level window of pid that matches, within timeoutMs.
HWND WaitForWindow(DWORD pid, const std::function<bool(HWND)>& match,
                   int timeoutMs = 5000);
HWND WaitForWindowTitled(DWORD pid, const std::string& title,
                         int timeoutMs = 5000);
// A standard message box (#32770) of pid with this caption.
HWND WaitForMessageBox(DWORD pid, const std::string& caption,
                       int timeoutMs = 5000);
// Waits until hwnd is gone or hidden.
bool WaitGone(HWND hwnd, int timeoutMs = 5000);

// One descendant window.
struct Child {
  HWND hwnd = nullptr;
  std::string cls;
  std::string text;
  LONG style = 0;
  bool enabled = false;
  bool visible = false;
};
std::vector<Child> Descendants(HWND top);
// The descendant of top with this class (case-insensitive; "" for any)
// and exact text; null when there is none or more than one.
HWND FindChild(HWND top, const std::string& cls, const std::string& text);
// All descendants of top with this class.
std::vector<HWND> FindChildren(HWND top, const std::string& cls);
// The text of a message box: its static texts joined by newlines.
std::string MessageBoxText(HWND box);

// User input by posted messages.
void PostClick(HWND button);                   // BM_CLICK
void PostMouseClick(HWND hwnd, int x, int y);  // button down, then up
// A mouse click mid-height, at this fraction of the client area's width.
void PostClickAlong(HWND hwnd, double along);
void PostKey(HWND hwnd, UINT vk);                    // key down, then up
void PostChars(HWND hwnd, const std::string& text);  // WM_CHAR per byte
// Shift+Tab as real input (SendInput), to the focus of the foreground
// window. The dialog manager reads Shift from the program's key state
// (GetKeyState), which posted key messages leave alone: a posted Shift
// followed by a posted Tab moves forwards. Wine's server queues real input
// in order to the foreground window, the program's on this display.
void SendShiftTab();
// The focus window of the thread that owns hwnd.
HWND FocusOf(HWND hwnd);
// Waits until the window's text reads expected; true when it did.
bool WaitText(HWND hwnd, const std::string& expected, int timeoutMs = 3000);

// A captured screen area, 24-bit pixels, top row first.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgr;  // width * height * 3, blue first
  // Some pixels of exactly color and none of other.
  bool ShowsOnly(COLORREF color, COLORREF other) const;
};
// The screen's pixels under rect (screen coordinates), for the checks that
// compare colours: the frame captions' and the About links'.
Capture CaptureScreen(const RECT& rect);

}  // namespace e2e
