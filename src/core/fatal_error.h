#pragma once
// The two ways the game ends on a failure: FatalError for everything a player can be told about
// in an orderly shutdown, AllocOrDie when memory runs out.

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

// Keeps the first message, sets GameMode 0 and closes the main window; the message is shown while
// the window is destroyed. Returns to its caller, which must return at once: after it, display,
// sound and drawing calls do nothing. Later calls are ignored.
void FatalError(std::string_view message);

// The same fatal state for a failure whose caller shows its own box and takes the window down
// itself (the display's "DirectDraw Init FAILED"): no second box follows at shutdown. Ignored
// after the first fatal error, like FatalError.
void RaiseFatalState(std::string_view message);

// True from the first FatalError (or the start of shutdown) on; loaders and loops stop on it.
bool FatalErrorRaised();
// The message kept for the box, empty when none or once shown.
const std::string& PendingFatalMessage();
// The first message given to FatalError since start (or the last reset), shown or not.
const std::string& FatalErrorMessage();
void ClearPendingFatalMessage();

// Never null. A request of 0 bytes gets 1. When the heap is exhausted: the "Systemfehler" box and
// exit code 1. Blocks are released with std::free.
void* AllocOrDie(std::size_t bytes);
void* AllocMem(std::size_t bytes);
// Shows the "Systemfehler" box for a request of that size and ends the process with exit code 1.
// Failed operator new calls end here too.
[[noreturn]] void OutOfMemory(std::size_t bytes);

// For tests: the next AllocOrDie fails as if the heap were exhausted.
void FailNextAllocation();
// For tests: forgets the fatal state.
void ResetFatalError();

}  // namespace kv
