// Caps the size of the files this process writes, for one test
// (RLIMIT_FSIZE), with SIGXFSZ ignored so that a write past the cap fails
// with EFBIG, as a full disk fails, instead of ending the process. POSIX
// only: it stands in for a full disk under the emulated platform.
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace fixture {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  sighandler_t previousHandler_ = SIG_DFL;
};

}  // namespace fixture
