// The recording stand-in put in place of programs the program under test
// starts, so a test sees what was started and how, and nothing real runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/registry_fixture.h"

namespace e2e {

// One start of the stand-in: its window state, STARTUPINFO flags and
// command line.
struct Started {
  unsigned showWindow = 0;
  unsigned long flags = 0;
  std::string commandLine;
};

// The record file the stand-in appends to; while an object of this class
// lives, programs started from the driver (and their children) record into
// a fresh file.
class Recording {
 public:
  Recording();
  ~Recording();
  std::vector<Started> Read() const;
  // Waits until at least count starts were recorded.
  bool WaitFor(std::size_t count, int timeoutMs = 5000) const;

 private:
  std::string path_;
};

// Puts the stand-in at C:\WINDOWS\RUNDLL.EXE of the prefix for the
// object's life, keeping what was there and putting it back afterwards (a
// copy left by an earlier, interrupted run is put back first). An empty
// recorder path leaves nothing there.
class RestartStandIn {
 public:
  explicit RestartStandIn(const std::string& recorderPath);
  ~RestartStandIn();
  bool installed() const { return installed_; }

 private:
  std::string target_, backup_;
  bool hadOriginal_ = false, installed_ = false;
};

// Points the shell's "open" of a URL protocol ("http", "mailto") at the
// stand-in for the object's life, and back afterwards.
class ProtocolStandIn {
 public:
  ProtocolStandIn(const std::string& protocol, const std::string& recorderPath);
  bool installed() const { return command_.set(); }

 private:
  fixture::ValueOverride command_;
};

}  // namespace e2e
