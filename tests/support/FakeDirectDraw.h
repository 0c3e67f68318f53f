// Fake DirectDraw drivers for the driver enumeration: each answers with the identifier,
// capabilities and free memory a test chose, in a display mode of 640 x 480 at 16 bits, can fail
// one call, and counts the references held on it. While a FakeDirectDrawMachine lives, the
// enumeration sees its drivers instead of the real ones.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <string>
#include <vector>

#include "DirectDrawCalls.h"

enum class FakeCall { None, Create, QueryInterface, GetDeviceIdentifier, GetCaps };

// By default a capable 3D board: window-capable and accelerated.
struct FakeDriver {
    std::string description = "Fake 3D Adapter";
    GUID deviceGuid = {};
    DWORD caps = DDCAPS_3D;
    DWORD caps2 = DDCAPS2_CANRENDERWINDOWED;
    DWORD surfaceCaps = DDSCAPS_TEXTURE;
    DWORD videoMemoryFree = 8 << 20;
    DWORD textureMemoryFree = 8 << 20;
    FakeCall failing = FakeCall::None; // fails with DDERR_GENERIC, scribbling on its outputs

    // What the test reads back.
    LONG references = 0;
    LONG creations = 0; // DirectDrawCreate calls for this driver, counted atomically
    DWORD identifierFlags = 0xFFFFFFFF; // as GetDeviceIdentifier was asked
};

class FakeDirectDrawMachine {
  public:
    // The drivers are offered in order; the first gets a null driver GUID.
    explicit FakeDirectDrawMachine(std::vector<FakeDriver>& drivers);
    ~FakeDirectDrawMachine();

    // No driver holds a reference, and none was released more often than taken.
    bool AllReleased() const;
};
