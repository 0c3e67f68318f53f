// Fake DirectDraw drivers for the driver enumeration: each answers with the identifier,
// capabilities, display mode and free memory a test chose, can fail one call, and counts the
// references held on it. While a FakeDirectDrawMachine lives, the enumeration sees its drivers
// instead of the real ones.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <string>
#include <vector>

#include "DirectDrawCalls.h"

enum class FakeCall {
    None,
    Create,
    QueryInterface,
    GetDeviceIdentifier,
    GetCaps,
    GetDisplayMode,
    GetAvailableVidMem
};

// By default a capable 3D board: window-capable and accelerated.
struct FakeDriver {
    std::string description = "Fake 3D Adapter";
    GUID deviceGuid = {};
    DWORD caps = DDCAPS_3D;
    DWORD caps2 = DDCAPS2_CANRENDERWINDOWED;
    DWORD surfaceCaps = DDSCAPS_TEXTURE;
    DWORD videoMemoryFree = 8 << 20;
    LONG pitch = 1280; // 640 x 480 at 16 bits
    DWORD height = 480;
    DWORD textureMemoryFree = 8 << 20;
    FakeCall failing = FakeCall::None; // fails with DDERR_GENERIC, scribbling on its outputs

    // What the test reads back.
    LONG references = 0;
    int callsWithoutReference = 0;
    DWORD identifierFlags = 0xFFFFFFFF; // as GetDeviceIdentifier was asked
};

class FakeDirectDrawMachine {
  public:
    // The drivers are offered in order; the first gets a null driver GUID.
    explicit FakeDirectDrawMachine(std::vector<FakeDriver>& drivers);
    ~FakeDirectDrawMachine();
    FakeDirectDrawMachine(const FakeDirectDrawMachine&) = delete;
    FakeDirectDrawMachine& operator=(const FakeDirectDrawMachine&) = delete;

    // Every driver holds no reference and was used only while held.
    bool AllReleased() const;

    // One per driver: its IDirectDraw and IDirectDraw4, each a vtable pointer and the driver.
    struct Interface {
        const void* vtable;
        FakeDriver* driver;
    };
    struct Interfaces {
        Interface directDraw;
        Interface directDraw4;
    };

  private:
    std::vector<FakeDriver>& drivers_;
    std::vector<Interfaces> interfaces_;
    DirectDrawCallTable saved_;
};
