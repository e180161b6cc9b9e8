// Every entry from Qt into the program (event handlers and filters, signals, deferred work) runs
// through Guarded. Qt does not let an exception unwind through its event loop; one that the
// program did not handle ends the process with a message, as an unhandled run-time error ends a
// program on Windows.
#pragma once

#include <utility>

namespace os::qt {

// Writes what went wrong to standard error and ends the process with exit code 1. Only inside a
// catch block: it reads the exception being handled.
[[noreturn]] void EndOnUnhandledError() noexcept;

template <class Work>
decltype(auto) Guarded(Work&& work) noexcept {
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        EndOnUnhandledError();
    }
}

}  // namespace os::qt
