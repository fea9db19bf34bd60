// memory_exhaustion.h: a Windows call that runs out of memory fails as the call fails on Windows
// (its failure value, ERROR_NOT_ENOUGH_MEMORY as the last error) instead of letting the C++
// library's exception leave the call.
//
// Every exported call of the platform runs its body through one of these two templates, so an
// allocation of the standard containers anywhere below a call (a window table, a surface, a
// message queue) turns into the call's failure and the program goes on. Depends on the platform
// windows.h (SetLastError). Limits: what a call had changed before the allocation failed stays
// changed; each call is written so that a half-done change leaves its objects usable.
#pragma once

#include <windows.h>

#include <new>
#include <stdexcept>

namespace platform {

template <class Result, class Body>
Result fail_when_memory_runs_out(Result failure, Body &&body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc &) {
    } catch (const std::length_error &) {
    }
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return failure;
}

template <class Body>
void fail_when_memory_runs_out(Body &&body) noexcept {
    try {
        body();
    } catch (const std::bad_alloc &) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::length_error &) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
}

}  // namespace platform
