// Measures how long the program's dialogs take from a posted click to a
// visible window, for several openings in a row of each, inside one Wine
// (or Windows) session.
//
// Usage: dialog_probe PROGRAM.exe [OPENINGS]
// Starts the program once and waits until it has finished starting (its
// first window shown and painted, its thread waiting for input: the start-up
// itself is the start-up probe's to time), then opens and closes "About"
// OPENINGS times (default 5) by posted BM_CLICKs on "About" and "OK !", then
// the per-game dialog as often ("To one game only", then "Cancel"). Prints one
// line per opening, "about <n> <ms>" or "pergame <n> <ms>", and exits non-zero
// when a window does not come or go within the time limit.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kTimeLimitMs = 10000;
constexpr const char* kMainTitle = "Movarin         v0.3";
constexpr const char* kAboutTitle = "About Movarin";
constexpr const char* kPerGameTitle = "Movarin";

std::string TextOf(HWND hwnd) {
  char text[256] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

struct Search {
  DWORD pid;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchTop(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->pid || !IsWindowVisible(hwnd)) return TRUE;
  char cls[64] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") == 0) return TRUE;  // a message box
  if (TextOf(hwnd) != search->title) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// The visible top-level window of pid with that exact title, or null.
HWND FindTop(DWORD pid, const char* title) {
  Search search = {pid, title, nullptr};
  EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  const char* text;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<ChildSearch*>(lparam);
  if (TextOf(hwnd) != search->text) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND FindChild(HWND top, const char* text) {
  ChildSearch search = {text, nullptr};
  if (top) EnumChildWindows(top, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

double Now() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// Polls until ready() or the time limit; true when ready.
template <class Ready>
bool Await(Ready ready) {
  const double end = Now() + kTimeLimitMs;
  while (!ready()) {
    if (Now() > end) return false;
    Sleep(1);
  }
  return true;
}

// Clicks opener, times the dialog titled title to visible, then clicks its
// closer and waits until it has gone and main takes input again. Negative
// when something did not happen in time.
double TimeOpening(DWORD pid, HWND main, HWND opener, const char* title,
                   const char* closer) {
  const double start = Now();
  PostMessageA(opener, BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  if (!Await([&] { return (dialog = FindTop(pid, title)) != nullptr; }))
    return -1;
  const double elapsed = Now() - start;
  HWND close = FindChild(dialog, closer);
  if (!close) return -1;
  PostMessageA(close, BM_CLICK, 0, 0);
  if (!Await([&] {
        return (!IsWindow(dialog) || !IsWindowVisible(dialog)) &&
               IsWindowEnabled(main);
      }))
    return -1;
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: dialog_probe PROGRAM.exe [OPENINGS]\n");
    return 2;
  }
  const int openings = argc > 2 ? std::atoi(argv[2]) : 5;
  std::string command_line = std::string("\"") + argv[1] + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", argv[1]);
    return 1;
  }
  const DWORD pid = process.dwProcessId;
  int status = 0;
  HWND main = nullptr;
  if (!Await([&] { return (main = FindTop(pid, kMainTitle)) != nullptr; })) {
    std::fprintf(stderr, "no main window\n");
    status = 1;
  }
  if (!status) WaitForInputIdle(process.hProcess, kTimeLimitMs);
  HWND about = FindChild(main, "About");
  HWND option1 = FindChild(main, "To one game only");
  HWND slider2 = FindWindowExA(FindChild(main, "Advanced Settings"), nullptr,
                               "msctls_trackbar32", nullptr);
  if (!status && (!about || !option1 || !slider2)) {
    std::fprintf(stderr, "controls of the main window not found\n");
    status = 1;
  }
  for (int n = 1; !status && n <= openings; ++n) {
    double ms = TimeOpening(pid, main, about, kAboutTitle, "OK !");
    if (ms < 0) status = 1;
    std::printf("about %d %.1f\n", n, ms);
  }
  // The options take clicks once the level of detail has moved.
  if (!status) {
    PostMessageA(slider2, WM_KEYDOWN, VK_RIGHT, 1);
    PostMessageA(slider2, WM_KEYUP, VK_RIGHT, 1);
    if (!Await([&] { return IsWindowEnabled(option1) != 0; })) status = 1;
  }
  for (int n = 1; !status && n <= openings; ++n) {
    double ms = TimeOpening(pid, main, option1, kPerGameTitle, "Cancel");
    if (ms < 0) status = 1;
    std::printf("pergame %d %.1f\n", n, ms);
  }
  std::fflush(stdout);
  if (main) PostMessageA(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}
