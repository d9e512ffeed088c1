#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A run that is asked to end (SIGTERM, SIGINT, SIGHUP; Ctrl+C, Ctrl+Break or
// a closing console on Windows) removes the temporary files it holds, ends
// the program it waits for and exits with 128 + the signal's number. The
// handler only reads what is registered here beforehand.

/// Installs that handling; a request ignored when the process started (a
/// program started in the background) stays ignored.
void cleanUpOnInterruption();

/// While it lives, an interruption removes the file at path.
class RemovedOnInterruption {
 public:
  explicit RemovedOnInterruption(const std::u16string& path);
  ~RemovedOnInterruption();
  RemovedOnInterruption(const RemovedOnInterruption&) = delete;
  RemovedOnInterruption& operator=(const RemovedOnInterruption&) = delete;

 private:
  int slot_;
};

/// While it lives, an interruption waits, so that it finds a group of files
/// all in their places or none.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;
};

/// While it lives, an interruption also ends the child process (leader of a
/// process group of its own) that the run waits for.
class EndedOnInterruption {
 public:
  explicit EndedOnInterruption(int64_t processId);
  ~EndedOnInterruption();
  EndedOnInterruption(const EndedOnInterruption&) = delete;
  EndedOnInterruption& operator=(const EndedOnInterruption&) = delete;
};

}  // namespace platform
