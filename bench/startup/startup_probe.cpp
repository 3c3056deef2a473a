// Measures how long programs take from process start to a visible top-level
// window, inside one Wine (or Windows) session.
//
// Usage: startup_probe RUNS PROGRAM.exe...
// Runs each program RUNS times, the programs taking turns, closes each
// window once it is visible, and prints every time and each program's median
// in milliseconds as "median <ms> <program>" and "min <ms> <program>" lines.
// Exits non-zero when a program does not show a window within the time limit.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeLimitMs = 30000;

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// Milliseconds to the first visible window of a fresh process of program,
// or a negative number when it shows none in time.
double TimeToWindow(const std::string& program) {
  std::string command_line = "\"" + program + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};

  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(),
                 GetLastError());
    return -1;
  }

  Search search = {process.dwProcessId, nullptr};
  double elapsed = -1;
  for (;;) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (search.found) {
      elapsed = Milliseconds(start, now);
      break;
    }
    if (Milliseconds(start, now) > kTimeLimitMs ||
        WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      break;
    }
    Sleep(1);
  }

  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const size_t n = times.size();
  return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr, "usage: startup_probe RUNS PROGRAM.exe...\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const std::vector<std::string> programs(argv + 2, argv + argc);
  std::vector<std::vector<double>> times(programs.size());

  for (int run = 0; run < runs; ++run) {
    for (size_t i = 0; i < programs.size(); ++i) {
      const double ms = TimeToWindow(programs[i]);
      if (ms < 0) {
        std::fprintf(stderr, "%s showed no window\n", programs[i].c_str());
        return 1;
      }
      std::printf("run %d %.1f %s\n", run + 1, ms, programs[i].c_str());
      times[i].push_back(ms);
    }
  }
  // The fastest run too: on a shared machine it moves less than the median.
  for (size_t i = 0; i < programs.size(); ++i) {
    std::printf("median %.1f %s\n", Median(times[i]), programs[i].c_str());
    std::printf("min %.1f %s\n",
                *std::min_element(times[i].begin(), times[i].end()),
                programs[i].c_str());
  }
  return 0;
}
