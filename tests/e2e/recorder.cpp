// A recording stand-in for programs the program under test starts (the
// Windows restart command, the browser, the mail program): appends one line
// "<show state>|<startup flags>|<command line>" to the file named by the
// environment variable MOVARIN_E2E_RECORD, then exits at once. It shows no
// window and changes nothing else.
#include <windows.h>

#include <cstdio>

int main() {
  char path[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("MOVARIN_E2E_RECORD", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  FILE* out = std::fopen(path, "ab");
  if (!out) return 2;
  std::fprintf(out, "%u|%lu|%s\n", static_cast<unsigned>(startup.wShowWindow),
               static_cast<unsigned long>(startup.dwFlags), GetCommandLineA());
  std::fclose(out);
  return 0;
}
