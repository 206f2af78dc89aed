#pragma once

// Ctrl+C, a termination request or a hang-up ends a run promptly and
// cleanly: the signal is noted, every wait in a system call is cut short by
// it, the run stops at its next step and discards every file it has not put
// in place, and the process then dies of that signal, as a shell expects.
namespace Interruption {

// Notes SIGINT, SIGTERM and SIGHUP from now on, without restarting the
// system call they arrive in; a closed pipe becomes a write error instead of
// killing the process in the middle of a file.
void Catch();

// The signal that asked the run to end, or 0.
[[nodiscard]] int Pending();

// Dies of the pending signal.
[[noreturn]] void DieOfPending();

} // namespace Interruption
