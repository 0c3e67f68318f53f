// Fake DirectDraw drivers and the machine that offers them to the enumeration.
#include "FakeDirectDraw.h"

#include <algorithm>
#include <cstring>

FakeDirectDrawMachine* FakeDirectDrawMachine::ActiveMachine = nullptr;

namespace {

void WriteIdentifier(LPDDDEVICEIDENTIFIER identifier, const std::string& description,
                     const GUID& guid) {
    // A description of 512 bytes or more fills the buffer without a terminating NUL.
    size_t length = std::min(description.size(), sizeof identifier->szDescription);
    std::memcpy(identifier->szDescription, description.data(), length);
    if (length < sizeof identifier->szDescription)
        identifier->szDescription[length] = '\0';
    std::strcpy(identifier->szDriver, "fake.drv");
    identifier->guidDeviceIdentifier = guid;
}

} // namespace

void FakeDirectDraw4::CheckHeld() {
    if (driver_.directDraw4References <= 0)
        ++driver_.callsWithoutReference;
}

HRESULT WINAPI FakeDirectDraw4::QueryInterface(REFIID riid, void** object) {
    CheckHeld();
    if (!IsEqualGUID(riid, IID_IDirectDraw4)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
}

ULONG WINAPI FakeDirectDraw4::AddRef() {
    return ++driver_.directDraw4References;
}

ULONG WINAPI FakeDirectDraw4::Release() {
    CheckHeld();
    return --driver_.directDraw4References;
}

HRESULT WINAPI FakeDirectDraw4::GetCaps(LPDDCAPS hardware, LPDDCAPS emulation) {
    CheckHeld();
    if (!hardware || !emulation || hardware->dwSize != sizeof(DDCAPS) ||
        emulation->dwSize != sizeof(DDCAPS))
        return DDERR_INVALIDPARAMS;
    // The emulation layer can do everything: reading it instead of the hardware shows.
    emulation->dwCaps = DDCAPS_3D;
    emulation->dwCaps2 = DDCAPS2_CANRENDERWINDOWED;
    emulation->ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    emulation->dwVidMemFree = 0x7FFFFFFF;
    if (FAILED(driver_.capsResult)) {
        *hardware = *emulation;
        return driver_.capsResult;
    }
    hardware->dwCaps = driver_.caps;
    hardware->dwCaps2 = driver_.caps2;
    hardware->ddsCaps.dwCaps = driver_.surfaceCaps;
    hardware->dwVidMemFree = driver_.videoMemoryFree;
    return DD_OK;
}

HRESULT WINAPI FakeDirectDraw4::GetDisplayMode(LPDDSURFACEDESC2 desc) {
    CheckHeld();
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    if (FAILED(driver_.displayModeResult)) {
        desc->lPitch = 4096;
        desc->dwHeight = 4096;
        return driver_.displayModeResult;
    }
    desc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH;
    desc->dwWidth = 640;
    desc->dwHeight = driver_.height;
    desc->lPitch = driver_.pitch;
    return DD_OK;
}

HRESULT WINAPI FakeDirectDraw4::GetAvailableVidMem(LPDDSCAPS2 caps, LPDWORD total, LPDWORD free) {
    CheckHeld();
    if (FAILED(driver_.videoMemoryResult)) {
        *free = 0xFFFFFFFF;
        return driver_.videoMemoryResult;
    }
    // The driver tells texture memory only; any other question gets none.
    bool texture =
        caps->dwCaps == DDSCAPS_TEXTURE && !caps->dwCaps2 && !caps->dwCaps3 && !caps->dwCaps4;
    *free = texture ? driver_.textureMemoryFree : 0;
    *total = *free;
    return DD_OK;
}

HRESULT WINAPI FakeDirectDraw4::GetDeviceIdentifier(LPDDDEVICEIDENTIFIER identifier, DWORD flags) {
    CheckHeld();
    if (FAILED(driver_.identifierResult)) {
        std::memset(identifier, 'x', sizeof *identifier);
        return driver_.identifierResult;
    }
    if (flags & DDGDI_GETHOSTIDENTIFIER)
        WriteIdentifier(identifier, driver_.hostDescription, driver_.hostGuid);
    else
        WriteIdentifier(identifier, driver_.description, driver_.deviceGuid);
    return DD_OK;
}

HRESULT WINAPI FakeDirectDraw::QueryInterface(REFIID riid, void** object) {
    if (driver_.directDrawReferences <= 0)
        ++driver_.callsWithoutReference;
    *object = nullptr;
    if (IsEqualGUID(riid, IID_IDirectDraw4)) {
        if (FAILED(driver_.queryResult))
            return driver_.queryResult;
        *object = &driver_.directDraw4;
        driver_.directDraw4.AddRef();
        return S_OK;
    }
    if (IsEqualGUID(riid, IID_IDirectDraw) || IsEqualGUID(riid, IID_IUnknown)) {
        *object = this;
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG WINAPI FakeDirectDraw::AddRef() {
    return ++driver_.directDrawReferences;
}

ULONG WINAPI FakeDirectDraw::Release() {
    if (driver_.directDrawReferences <= 0)
        ++driver_.callsWithoutReference;
    return --driver_.directDrawReferences;
}

FakeDriver::FakeDriver() : directDraw(*this), directDraw4(*this) {}

FakeDirectDrawMachine::FakeDirectDrawMachine() : saved_(DirectDrawCalls), previous_(ActiveMachine) {
    ActiveMachine = this;
    DirectDrawCalls.DirectDrawEnumerateA = Enumerate;
    DirectDrawCalls.DirectDrawCreate = Create;
}

FakeDirectDrawMachine::~FakeDirectDrawMachine() {
    DirectDrawCalls = saved_;
    ActiveMachine = previous_;
}

FakeDriver& FakeDirectDrawMachine::AddDriver() {
    drivers_.push_back(std::make_unique<FakeDriver>());
    FakeDriver& driver = *drivers_.back();
    // Distinct driver and device GUIDs; a test may give two drivers one device GUID.
    driver.driverGuid = {0xD1000000 + static_cast<DWORD>(drivers_.size()), 0, 0, {}};
    driver.deviceGuid = {
        0xDE000000 + static_cast<DWORD>(drivers_.size()), 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
    driver.hostGuid = {0xAB000000, 0, 0, {}};
    return driver;
}

bool FakeDirectDrawMachine::AllReleased() const {
    for (const auto& driver : drivers_) {
        if (driver->directDrawReferences != 0 || driver->directDraw4References != 0 ||
            driver->callsWithoutReference != 0)
            return false;
    }
    return true;
}

HRESULT WINAPI FakeDirectDrawMachine::Enumerate(LPDDENUMCALLBACKA callback, LPVOID context) {
    char description[] = "Fake Display Driver";
    char name[] = "display";
    for (size_t i = 0; i < ActiveMachine->drivers_.size(); ++i) {
        ++ActiveMachine->callbacks;
        // DirectDraw names the primary display driver with a null GUID.
        GUID* driverGuid = i == 0 ? nullptr : &ActiveMachine->drivers_[i]->driverGuid;
        if (!callback(driverGuid, description, name, context))
            break;
    }
    return DD_OK;
}

HRESULT WINAPI FakeDirectDrawMachine::Create(GUID* driverGuid, LPDIRECTDRAW* directDraw,
                                             IUnknown*) {
    *directDraw = nullptr;
    FakeDriver* driver = nullptr;
    for (size_t i = 0; i < ActiveMachine->drivers_.size() && !driver; ++i) {
        FakeDriver& candidate = *ActiveMachine->drivers_[i];
        if (driverGuid ? IsEqualGUID(*driverGuid, candidate.driverGuid) : i == 0)
            driver = &candidate;
    }
    if (!driver)
        return DDERR_INVALIDDIRECTDRAWGUID;
    ++driver->createCalls;
    if (FAILED(driver->createResult))
        return driver->createResult;
    driver->directDraw.AddRef();
    *directDraw = &driver->directDraw;
    return DD_OK;
}
