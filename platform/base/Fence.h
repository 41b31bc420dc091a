// Fences for the calls of the stand-in: no C++ exception of its own leaves a COM method or a
// Win32 function, as none leaves the real platform's. What the program's own code throws
// from a procedure that a call merely calls back is the program's, and passes on unchanged.
#pragma once
#include <winbase.h>
#include <winerror.h>

#include <exception>
#include <new>

namespace platform {

namespace fence {

// The last exception seen leaving the program's own code on this thread. Holding it keeps
// its address from being taken by another exception.
inline std::exception_ptr& ProgramException()
{
    thread_local std::exception_ptr e;
    return e;
}

enum class Failure { OutOfMemory, Other };

} // namespace fence

// True inside a handler for an exception that the program's own code threw.
inline bool ProgramThrew() { return std::current_exception() == fence::ProgramException(); }

// Calls the program's own code back (a window, timer or dialog procedure); whatever it
// throws is marked as the program's on the way out.
template <class Callback, class... Args>
auto CallBack(Callback callback, Args... args)
{
    try {
        return callback(args...);
    } catch (...) {
        fence::ProgramException() = std::current_exception();
        throw;
    }
}

// Runs body; an exception of the stand-in's own becomes failed(what went wrong).
template <class Body, class Failed>
auto Fenced(Body&& body, Failed&& failed) -> decltype(body())
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        if (ProgramThrew())
            throw;
        return failed(fence::Failure::OutOfMemory);
    } catch (...) {
        if (ProgramThrew())
            throw;
        return failed(fence::Failure::Other);
    }
}

// The body of a COM method: running out of memory gives E_OUTOFMEMORY, anything else (a
// thread that cannot start) E_FAIL.
template <class Body>
HRESULT WithoutExceptions(Body&& body)
{
    return Fenced(body, [](fence::Failure f) { return f == fence::Failure::OutOfMemory ? E_OUTOFMEMORY : E_FAIL; });
}

// The body of a Win32 function: on an exception of the stand-in's own the last error is
// ERROR_NOT_ENOUGH_MEMORY (out of memory) or ERROR_GEN_FAILURE, and the function gives its
// documented failure value.
template <class Result, class Body>
Result Win32Call(Result failure, Body&& body)
{
    return Fenced([&]() -> Result { return body(); }, [&](fence::Failure f) {
        SetLastError(f == fence::Failure::OutOfMemory ? ERROR_NOT_ENOUGH_MEMORY : ERROR_GEN_FAILURE);
        return failure;
    });
}

} // namespace platform
