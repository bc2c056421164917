#pragma once
// Hooks for tests of code that must cope with COM failing.

#include "platform/com/wintypes.h"

namespace comtest {

// The next CoInitialize/CoInitializeEx, on any thread, returns `hr` and changes nothing.
void FailNextCoInitialize(HRESULT hr);
// The next CoCreateInstance, on any thread, returns `hr` and creates nothing.
void FailNextCoCreateInstance(HRESULT hr);
// Forgets any failure set above that has not been used.
void ResetFailures();

}  // namespace comtest
