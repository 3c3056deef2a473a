// movarin_e2e <movarin.exe> [GoogleTest flags]
//
// The end-to-end scenarios against the real program in the current Wine
// prefix; --gtest_filter=Scenario.<Name> runs one. MOVARIN_E2E_TIME_SCALE
// stretches every wait (tests/e2e/session.h). The recording stand-in is the
// movarin_e2e_recorder.exe beside this program.
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

Options g_options;
std::optional<::testing::ScopedTrace> g_step;

// Where this program is, up to its last backslash.
std::string OwnFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string own(path, n);
  return own.substr(0, own.rfind('\\') + 1);
}

// Ends the last scenario's step with it.
class StepEnds : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { g_step.reset(); }
};

}  // namespace

const Options& TheOptions() { return g_options; }

void SetStep(const std::string& step) {
  g_step.reset();
  g_step.emplace(__FILE__, __LINE__, step);
  std::printf("-- %s\n", step.c_str());
  std::fflush(stdout);
}

void TakePicture(HWND window, const std::string& name) {
  const char* folder = std::getenv("MOVARIN_E2E_PICTURES");
  const std::string import = WindowsPath("/usr/bin/import");
  if (!folder || !*folder ||
      GetFileAttributesA(import.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf(
        "note: no picture \"%s\": it needs MOVARIN_E2E_PICTURES and "
        "ImageMagick's import\n",
        name.c_str());
    return;
  }
  // Wine starts a Unix program that CreateProcess is given (where it starts
  // one at all); it ends on its own and hands back no process to wait for:
  // the file appears when the picture is taken.
  const std::string file = std::string(folder) + "/" + name + ".png";
  DeleteFileA(WindowsPath(file).c_str());
  const RECT r = ScreenRect(window);
  char crop[64];
  std::snprintf(crop, sizeof crop, "%ldx%ld+%ld+%ld", r.right - r.left,
                r.bottom - r.top, r.left, r.top);
  std::string command =
      "\"" + import + "\" -silent -window root -crop " + crop +
      " +repage -define png:exclude-chunks=date,time \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const bool started =
      CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                     nullptr, nullptr, &startup, &info);
  const DWORD error = started ? 0 : GetLastError();
  if (info.hProcess) CloseHandle(info.hProcess);
  if (info.hThread) CloseHandle(info.hThread);
  const bool taken =
      started && WaitUntil(
                     [&] {
                       return GetFileAttributesA(WindowsPath(file).c_str()) !=
                              INVALID_FILE_ATTRIBUTES;
                     },
                     20000);
  if (!taken)
    std::printf("note: no picture \"%s\": this Wine %s\n", name.c_str(),
                started ? "started import, which wrote nothing in 20 s"
                        : ("does not start import (error " +
                           std::to_string(error) + ")")
                              .c_str());
}

}  // namespace e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr,
                 "usage: movarin_e2e <movarin.exe> [GoogleTest flags]\n");
    return 2;
  }
  if (!e2e::ReadTimeScale()) return 2;
  e2e::g_options = {argv[1], e2e::OwnFolder() + "movarin_e2e_recorder.exe"};
  ::testing::UnitTest::GetInstance()->listeners().Append(new e2e::StepEnds);
  return RUN_ALL_TESTS();
}
