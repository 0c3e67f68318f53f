// The fake drivers as plain COM objects: one object per driver serves as its IDirectDraw and its
// IDirectDraw4, with a vtable holding only the methods the enumeration calls.
#define CINTERFACE
#include "FakeDirectDraw.h"

#include <algorithm>
#include <cstring>

namespace {

// What an interface pointer points at: the vtable, then the driver; and the GUID that names
// the driver to DirectDrawCreate, whose Data1 is its index.
struct Interface {
    const void* vtable;
    FakeDriver* driver;
    GUID driverGuid;
};
std::vector<Interface> Objects; // one per driver, in order
DirectDrawCallTable Saved;      // the real entry points

FakeDriver& Driver(void* self) {
    return *static_cast<Interface*>(self)->driver;
}

ULONG STDMETHODCALLTYPE Release(IDirectDraw4* self) {
    return --Driver(self).references;
}

HRESULT STDMETHODCALLTYPE QueryInterface(IDirectDraw4* self, REFIID iid, void** object) {
    FakeDriver& driver = Driver(self);
    *object = self; // even when failing: a failed call need not clear it
    if (driver.failing == FakeCall::QueryInterface || !IsEqualGUID(iid, IID_IDirectDraw4))
        return E_NOINTERFACE;
    ++driver.references;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE GetCaps(IDirectDraw4* self, DDCAPS* hardware, DDCAPS* emulation) {
    FakeDriver& driver = Driver(self);
    if (hardware->dwSize != sizeof(DDCAPS) || emulation->dwSize != sizeof(DDCAPS))
        return DDERR_INVALIDPARAMS;
    // The emulation layer can do everything: reading it instead of the hardware shows.
    emulation->dwCaps = DDCAPS_3D;
    emulation->dwCaps2 = DDCAPS2_CANRENDERWINDOWED;
    emulation->ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    emulation->dwVidMemFree = 0x7FFFFFFF;
    *hardware = *emulation;
    if (driver.failing == FakeCall::GetCaps)
        return DDERR_GENERIC;
    hardware->dwCaps = driver.caps;
    hardware->dwCaps2 = driver.caps2;
    hardware->ddsCaps.dwCaps = driver.surfaceCaps;
    hardware->dwVidMemFree = driver.videoMemoryFree;
    return DD_OK;
}

HRESULT STDMETHODCALLTYPE GetDisplayMode(IDirectDraw4*, DDSURFACEDESC2* mode) {
    if (mode->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    mode->lPitch = 1280;
    mode->dwHeight = 480;
    return DD_OK;
}

HRESULT STDMETHODCALLTYPE GetAvailableVidMem(IDirectDraw4* self, DDSCAPS2* caps, DWORD* total,
                                             DWORD* free) {
    // The driver tells texture memory only; any other question gets none.
    bool texture =
        caps->dwCaps == DDSCAPS_TEXTURE && !caps->dwCaps2 && !caps->dwCaps3 && !caps->dwCaps4;
    *total = *free = texture ? Driver(self).textureMemoryFree : 0;
    return DD_OK;
}

HRESULT STDMETHODCALLTYPE GetDeviceIdentifier(IDirectDraw4* self, DDDEVICEIDENTIFIER* identifier,
                                              DWORD flags) {
    FakeDriver& driver = Driver(self);
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

// IDirectDraw starts with the same methods as IDirectDraw4, so one table serves both.
const IDirectDraw4Vtbl Table = [] {
    IDirectDraw4Vtbl table = {};
    table.QueryInterface = QueryInterface;
    table.Release = Release;
    table.GetCaps = GetCaps;
    table.GetDisplayMode = GetDisplayMode;
    table.GetAvailableVidMem = GetAvailableVidMem;
    table.GetDeviceIdentifier = GetDeviceIdentifier;
    return table;
}();

HRESULT WINAPI Enumerate(LPDDENUMCALLBACKA callback, LPVOID context) {
    for (size_t i = 0; i < Objects.size(); ++i) {
        char name[] = "fake";
        if (!callback(i ? &Objects[i].driverGuid : nullptr, name, name, context))
            break;
    }
    return DD_OK;
}

// May be called from another thread than the enumeration's.
HRESULT WINAPI Create(GUID* driverGuid, LPDIRECTDRAW* directDraw, IUnknown*) {
    size_t index = driverGuid ? driverGuid->Data1 : 0;
    if (index >= Objects.size())
        return DDERR_NODIRECTDRAWHW;
    Interface& object = Objects[index];
    *directDraw = reinterpret_cast<LPDIRECTDRAW>(&object); // even when failing
    InterlockedIncrement(&object.driver->creations);
    if (object.driver->failing == FakeCall::Create)
        return DDERR_GENERIC;
    ++object.driver->references;
    return DD_OK;
}

} // namespace

FakeDirectDrawMachine::FakeDirectDrawMachine(std::vector<FakeDriver>& drivers) {
    Saved = DirectDrawCalls;
    Objects.clear();
    for (FakeDriver& driver : drivers)
        Objects.push_back({&Table, &driver, {static_cast<DWORD>(Objects.size()), 0, 0, {}}});
    DirectDrawCalls = {Enumerate, Create};
}

FakeDirectDrawMachine::~FakeDirectDrawMachine() {
    DirectDrawCalls = Saved;
}

bool FakeDirectDrawMachine::AllReleased() const {
    return std::all_of(Objects.begin(), Objects.end(),
                       [](const Interface& object) { return object.driver->references == 0; });
}
