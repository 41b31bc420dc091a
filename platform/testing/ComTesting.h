// Test seam: COM start-up counts on this thread, and failing object creation.
#pragma once
#include <guiddef.h>

namespace platform::testing {

struct ComCalls {
    int initialize = 0;   // CoInitialize calls since the last reset
    int uninitialize = 0; // CoUninitialize calls since the last reset
    int depth = 0;        // how many CoInitialize calls are not yet balanced
};
ComCalls GetComCalls();
void ResetComCalls();

// CoCreateInstance of this class fails with hr until cleared.
void FailCoCreateInstance(REFCLSID clsid, HRESULT hr);
void ClearComFailures();

} // namespace platform::testing
