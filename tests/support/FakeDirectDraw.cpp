// The fake drivers as plain COM objects: one vtable per interface, holding only the methods the
// enumeration calls.
#define CINTERFACE
#include "FakeDirectDraw.h"

#include <algorithm>
#include <cstring>

namespace {

using Interface = FakeDirectDrawMachine::Interface;
std::vector<FakeDriver>* Drivers = nullptr;
std::vector<FakeDirectDrawMachine::Interfaces>* Objects = nullptr;

// The driver behind an interface; counts a call made while nobody holds a reference.
FakeDriver& Held(void* self) {
    FakeDriver& driver = *static_cast<Interface*>(self)->driver;
    if (driver.references <= 0)
        ++driver.callsWithoutReference;
    return driver;
}

ULONG STDMETHODCALLTYPE AddRef(IDirectDraw4* self) {
    return ++static_cast<Interface*>(static_cast<void*>(self))->driver->references;
}

ULONG STDMETHODCALLTYPE Release(IDirectDraw4* self) {
    return --Held(self).references;
}

HRESULT STDMETHODCALLTYPE QueryInterface(IDirectDraw4* self, REFIID iid, void** object) {
    FakeDriver& driver = Held(self);
    *object = nullptr;
    if (driver.failing == FakeCall::QueryInterface || !IsEqualGUID(iid, IID_IDirectDraw4))
        return E_NOINTERFACE;
    *object = &(*Objects)[&driver - Drivers->data()].directDraw4;
    ++driver.references;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE GetCaps(IDirectDraw4* self, DDCAPS* hardware, DDCAPS* emulation) {
    FakeDriver& driver = Held(self);
    if (hardware->dwSize != sizeof(DDCAPS) || emulation->dwSize != sizeof(DDCAPS))
        return DDERR_INVALIDPARAMS;
    // The emulation layer can do everything: reading it instead of the hardware shows.
    emulation->dwCaps = DDCAPS_3D;
    emulation->dwCaps2 = DDCAPS2_CANRENDERWINDOWED;
    emulation->ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    emulation->dwVidMemFree = 0x7FFFFFFF;
    if (driver.failing == FakeCall::GetCaps) {
        *hardware = *emulation;
        return DDERR_GENERIC;
    }
    hardware->dwCaps = driver.caps;
    hardware->dwCaps2 = driver.caps2;
    hardware->ddsCaps.dwCaps = driver.surfaceCaps;
    hardware->dwVidMemFree = driver.videoMemoryFree;
    return DD_OK;
}

HRESULT STDMETHODCALLTYPE GetDisplayMode(IDirectDraw4* self, DDSURFACEDESC2* mode) {
    FakeDriver& driver = Held(self);
    if (mode->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    bool failing = driver.failing == FakeCall::GetDisplayMode;
    mode->lPitch = failing ? 4096 : driver.pitch;
    mode->dwHeight = failing ? 4096 : driver.height;
    return failing ? DDERR_GENERIC : DD_OK;
}

HRESULT STDMETHODCALLTYPE GetAvailableVidMem(IDirectDraw4* self, DDSCAPS2* caps, DWORD* total,
                                             DWORD* free) {
    FakeDriver& driver = Held(self);
    if (driver.failing == FakeCall::GetAvailableVidMem) {
        *free = 0xFFFFFFFF;
        return DDERR_GENERIC;
    }
    // The driver tells texture memory only; any other question gets none.
    bool texture =
        caps->dwCaps == DDSCAPS_TEXTURE && !caps->dwCaps2 && !caps->dwCaps3 && !caps->dwCaps4;
    *total = *free = texture ? driver.textureMemoryFree : 0;
    return DD_OK;
}

HRESULT STDMETHODCALLTYPE GetDeviceIdentifier(IDirectDraw4* self, DDDEVICEIDENTIFIER* identifier,
                                              DWORD flags) {
    FakeDriver& driver = Held(self);
    driver.identifierFlags = flags;
    // A failing driver, or one whose description fills the buffer, leaves no terminating NUL.
    std::memset(identifier, 'x', sizeof *identifier);
    if (driver.failing == FakeCall::GetDeviceIdentifier)
        return DDERR_GENERIC;
    std::memcpy(identifier->szDescription, driver.description.c_str(),
                std::min(driver.description.size() + 1, sizeof identifier->szDescription));
    identifier->guidDeviceIdentifier = driver.deviceGuid;
    return DD_OK;
}

// IDirectDraw starts with the same three methods; the enumeration calls nothing else on it.
IDirectDraw4Vtbl MakeTable(bool directDraw4) {
    IDirectDraw4Vtbl table = {};
    table.QueryInterface = QueryInterface;
    table.AddRef = AddRef;
    table.Release = Release;
    if (directDraw4) {
        table.GetCaps = GetCaps;
        table.GetDisplayMode = GetDisplayMode;
        table.GetAvailableVidMem = GetAvailableVidMem;
        table.GetDeviceIdentifier = GetDeviceIdentifier;
    }
    return table;
}
const IDirectDraw4Vtbl DirectDrawTable = MakeTable(false);
const IDirectDraw4Vtbl DirectDraw4Table = MakeTable(true);

HRESULT WINAPI Enumerate(LPDDENUMCALLBACKA callback, LPVOID context) {
    static GUID driverGuids[16];
    for (size_t i = 0; i < Drivers->size(); ++i) {
        driverGuids[i] = {0xD1000000 + static_cast<DWORD>(i), 0, 0, {}};
        char name[] = "fake";
        if (!callback(i ? &driverGuids[i] : nullptr, name, name, context))
            break;
    }
    return DD_OK;
}

HRESULT WINAPI Create(GUID* driverGuid, LPDIRECTDRAW* directDraw, IUnknown*) {
    size_t index = driverGuid ? driverGuid->Data1 - 0xD1000000 : 0;
    *directDraw = nullptr;
    if (index >= Drivers->size() || (*Drivers)[index].failing == FakeCall::Create)
        return DDERR_GENERIC;
    ++(*Drivers)[index].references;
    *directDraw = reinterpret_cast<LPDIRECTDRAW>(&(*Objects)[index].directDraw);
    return DD_OK;
}

} // namespace

FakeDirectDrawMachine::FakeDirectDrawMachine(std::vector<FakeDriver>& drivers)
    : drivers_(drivers), saved_(DirectDrawCalls) {
    for (FakeDriver& driver : drivers_)
        interfaces_.push_back({{&DirectDrawTable, &driver}, {&DirectDraw4Table, &driver}});
    Drivers = &drivers_;
    Objects = &interfaces_;
    DirectDrawCalls.DirectDrawEnumerateA = Enumerate;
    DirectDrawCalls.DirectDrawCreate = Create;
}

FakeDirectDrawMachine::~FakeDirectDrawMachine() {
    DirectDrawCalls = saved_;
    Drivers = nullptr;
    Objects = nullptr;
}

bool FakeDirectDrawMachine::AllReleased() const {
    for (const FakeDriver& driver : drivers_) {
        if (driver.references != 0 || driver.callsWithoutReference != 0)
            return false;
    }
    return true;
}
