#include "tests/e2e/stand_in.h"

#include <cstdio>

#include "tests/e2e/session.h"
#include "tests/support/registry_fixture.h"

namespace e2e {

Recording::Recording() {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  path_ = std::string(dir) + "movarin-e2e-started.txt";
  DeleteFileA(path_.c_str());
  SetEnvironmentVariableA("MOVARIN_E2E_RECORD", path_.c_str());
}

Recording::~Recording() {
  SetEnvironmentVariableA("MOVARIN_E2E_RECORD", nullptr);
  DeleteFileA(path_.c_str());
}

std::vector<Started> Recording::Read() const {
  std::vector<Started> out;
  FILE* in = std::fopen(path_.c_str(), "rb");
  if (!in) return out;
  char line[4096];
  while (std::fgets(line, sizeof line, in)) {
    std::string s(line);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    std::size_t a = s.find('|');
    std::size_t b = a == std::string::npos ? a : s.find('|', a + 1);
    if (b == std::string::npos) continue;
    Started started;
    started.showWindow = static_cast<unsigned>(std::stoul(s.substr(0, a)));
    started.flags = std::stoul(s.substr(a + 1, b - a - 1));
    started.commandLine = s.substr(b + 1);
    out.push_back(started);
  }
  std::fclose(in);
  return out;
}

bool Recording::WaitFor(std::size_t count, int timeoutMs) const {
  return WaitUntil([&] { return Read().size() >= count; }, timeoutMs);
}

RestartStandIn::RestartStandIn(const std::string& recorderPath) {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  target_ = std::string(dir) + "\\RUNDLL.EXE";
  // Put back under the name it has (the file system keeps the case).
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(target_.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    target_ = std::string(dir) + "\\" + found.cFileName;
    FindClose(search);
  }
  backup_ = std::string(dir) + "\\RUNDLL.EXE.movarin-e2e-original";
  if (GetFileAttributesA(backup_.c_str()) != INVALID_FILE_ATTRIBUTES)
    MoveFileExA(backup_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (GetFileAttributesA(target_.c_str()) != INVALID_FILE_ATTRIBUTES)
    hadOriginal_ = MoveFileExA(target_.c_str(), backup_.c_str(),
                               MOVEFILE_REPLACE_EXISTING) != 0;
  installed_ =
      !recorderPath.empty() &&
      CopyFileA(WindowsPath(recorderPath).c_str(), target_.c_str(), FALSE) != 0;
}

RestartStandIn::~RestartStandIn() {
  DeleteFileA(target_.c_str());
  if (hadOriginal_)
    MoveFileExA(backup_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

ProtocolStandIn::ProtocolStandIn(const std::string& protocol,
                                 const std::string& recorderPath)
    : command_(platform::kHkeyLocalMachine,
               "SOFTWARE\\Classes\\" + protocol + "\\shell\\open\\command", "",
               "\"" + WindowsPath(recorderPath) + "\" \"%1\"") {}

}  // namespace e2e
