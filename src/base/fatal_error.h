#pragma once

#include <string>

namespace base {

/// An error that stops the run. It unwinds to the entry point, which shows the
/// fatal-error window; nothing after it writes the result.
struct FatalError {
  std::u16string text;
};

/// Stops the run with the given message (lines separated by CR LF).
[[noreturn]] inline void fail(std::u16string text) { throw FatalError{std::move(text)}; }

/// Stops the run: a file it writes could not be made or put in its place.
[[noreturn]] inline void failedToCreate(const std::u16string& path) { fail(u"Failed to created file " + path); }

}  // namespace base
