// The user's number format, shell calls and program launches, recorded
// for tests; and the reset of the whole emulated platform.
#include <string>
#include <vector>

#include "platform/emulated/emulated.h"
#include "platform/emulated/names.h"
#include "platform/platform.h"

namespace platform {

namespace {

constexpr std::intptr_t kDefaultShellResult = 42;

struct Recorder {
  NumberFormat numberFormat;
  std::vector<emulated::ShellCall> shellCalls;
  std::intptr_t shellResult = kDefaultShellResult;
  std::vector<emulated::Launch> launches;
  long launchResult = kErrorSuccess;
  std::string windowsDirectory = "C:\\WINDOWS";
};

Recorder& TheRecorder() {
  static Recorder recorder;
  return recorder;
}

std::string OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

NumberFormat UserNumberFormat() { return TheRecorder().numberFormat; }

std::intptr_t ShellExecuteA(std::uintptr_t parentWindow, const char* operation,
                            const char* file, const char* parameters,
                            const char* directory, int showCommand) {
  Recorder& recorder = TheRecorder();
  recorder.shellCalls.push_back(emulated::ShellCall{
      parentWindow, OrEmpty(operation), OrEmpty(file), OrEmpty(parameters),
      OrEmpty(directory), showCommand});
  return recorder.shellResult;
}

std::string WindowsDirectory() { return TheRecorder().windowsDirectory; }

long StartProgram(const std::string& commandLine, int showCommand) {
  Recorder& recorder = TheRecorder();
  recorder.launches.push_back(emulated::Launch{commandLine, showCommand});
  return recorder.launchResult;
}

namespace emulated {

void Reset() {
  detail::ResetRegistry();
  TheRecorder() = Recorder();
}

void SetNumberFormat(const NumberFormat& format) {
  TheRecorder().numberFormat = format;
}

const std::vector<ShellCall>& ShellCalls() { return TheRecorder().shellCalls; }

void SetShellResult(std::intptr_t result) {
  TheRecorder().shellResult = result;
}

const std::vector<Launch>& Launches() { return TheRecorder().launches; }

void SetLaunchResult(long code) { TheRecorder().launchResult = code; }

void SetWindowsDirectory(const std::string& directory) {
  TheRecorder().windowsDirectory = directory;
}

}  // namespace emulated

}  // namespace platform
