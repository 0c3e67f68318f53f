// The DirectDraw entry points the driver enumeration calls. They are the real functions unless
// a test replaces an entry to give the enumeration its own drivers.
#pragma once
#include <windows.h>
#include <ddraw.h>

struct DirectDrawCallTable {
    HRESULT(WINAPI* DirectDrawEnumerateA)(LPDDENUMCALLBACKA callback, LPVOID context);
    HRESULT(WINAPI* DirectDrawCreate)(GUID* driverGuid, LPDIRECTDRAW* directDraw, IUnknown* outer);
};

extern DirectDrawCallTable DirectDrawCalls;
