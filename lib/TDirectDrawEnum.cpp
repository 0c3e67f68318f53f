// TDirectDrawEnum: enumeration and classification of the DirectDraw display drivers.
#include "TDirectDrawEnum.h"
#include "DirectDrawCalls.h"
#include "PrimaryDriverRequest.h"
#include "ReportError.h"

// Drivers are asked with the DirectX 6 structures; their sizes are the ones of 32-bit Windows.
static_assert(sizeof(void*) != 4 || sizeof(DDCAPS) == 380, "DDCAPS must be the DirectX 6 one");
static_assert(sizeof(void*) != 4 || sizeof(DDSURFACEDESC2) == 124, "DDSURFACEDESC2 size");

namespace {

// Least primary surface plus free video memory for the game's 3D display, in bytes.
constexpr DWORD MinimumVideoMemory = 0x3B0000;
// Least free texture memory for running the game in a window, in bytes.
constexpr DWORD MinimumTextureMemory = 0x316000;

// Size of the current primary surface plus the free video memory. Wraps like the 32-bit
// arithmetic the game's own check uses.
DWORD PrimaryAndFreeVideoMemory(IDirectDraw4* directDraw4, const DDCAPS& hardware) {
    DDSURFACEDESC2 modeDesc;
    ZeroMemory(&modeDesc, sizeof modeDesc);
    modeDesc.dwSize = sizeof modeDesc;
    if (FAILED(directDraw4->GetDisplayMode(&modeDesc)))
        ZeroMemory(&modeDesc, sizeof modeDesc);
    return static_cast<DWORD>(modeDesc.lPitch) * modeDesc.dwHeight + hardware.dwVidMemFree;
}

} // namespace

HRESULT TDirectDrawEnum::Enumerate() {
    driverCount = 0;
    identifiers.Clear();
    windowCapable.Clear();
    accelerated.Clear();
    hasCaps.Clear();
    PrimaryDriverRequest primary;
    primaryDriver = &primary;
    HRESULT result = DirectDrawCalls.DirectDrawEnumerateA(EnumDriverCallback, this);
    primaryDriver = nullptr;
    return result;
}

BOOL WINAPI TDirectDrawEnum::EnumDriverCallback(GUID* driverGuid, LPSTR, LPSTR, LPVOID context) {
    auto* self = static_cast<TDirectDrawEnum*>(context);
    BOOL next = self->ExamineDriver(driverGuid);
    // Whichever way the examination ended, no interface outlives the callback.
    self->ReleaseInterfaces();
    return next;
}

HRESULT TDirectDrawEnum::CreateDriverObject(GUID* driverGuid) {
    if (!driverGuid && primaryDriver)
        return primaryDriver->Take(&directDraw);
    return DirectDrawCalls.DirectDrawCreate(driverGuid, &directDraw, nullptr);
}

BOOL TDirectDrawEnum::ExamineDriver(GUID* driverGuid) {
    if (FAILED(CreateDriverObject(driverGuid))) {
        directDraw = nullptr; // a failed call need not clear it
        return DDENUMRET_CANCEL;
    }
    HRESULT result =
        directDraw->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(&directDraw4));
    if (FAILED(result)) {
        directDraw4 = nullptr; // a failed call need not clear it
        ReportError(ErrorSourceDirectDraw, result, TString());
        return DDENUMRET_CANCEL;
    }
    // The IDirectDraw4 interface keeps the object alive.
    directDraw->Release();
    directDraw = nullptr;

    LONG index = RecordDriver(ReadIdentifier());

    DDCAPS hardware;
    DDCAPS emulation;
    ZeroMemory(&hardware, sizeof hardware);
    ZeroMemory(&emulation, sizeof emulation);
    hardware.dwSize = emulation.dwSize = sizeof(DDCAPS);
    if (FAILED(directDraw4->GetCaps(&hardware, &emulation)))
        return DDENUMRET_CANCEL;
    if (hardware.dwCaps2 & DDCAPS2_CANRENDERWINDOWED)
        windowCapable[index] = 1;
    if ((hardware.dwCaps & DDCAPS_3D) && (hardware.ddsCaps.dwCaps & DDSCAPS_TEXTURE))
        accelerated[index] = 1;
    hasCaps[index] = 1;
    if (PrimaryAndFreeVideoMemory(directDraw4, hardware) < MinimumVideoMemory)
        accelerated[index] = 0;
    if (ReadFreeTextureMemory() < MinimumTextureMemory)
        windowCapable[index] = 0;
    return DDENUMRET_OK;
}

DDDEVICEIDENTIFIER TDirectDrawEnum::ReadIdentifier() {
    DDDEVICEIDENTIFIER identifier;
    ZeroMemory(&identifier, sizeof identifier);
    // Flags 0: a 3D add-on board reports its own identifier, not its host adapter's.
    if (FAILED(directDraw4->GetDeviceIdentifier(&identifier, 0)))
        ZeroMemory(&identifier, sizeof identifier); // empty description, all-zero GUID
    // The texts come from the driver: make sure they end inside their buffers.
    identifier.szDriver[MAX_DDDEVICEID_STRING - 1] = '\0';
    identifier.szDescription[MAX_DDDEVICEID_STRING - 1] = '\0';
    return identifier;
}

LONG TDirectDrawEnum::RecordDriver(const DDDEVICEIDENTIFIER& identifier) {
    identifiers.Append(identifier);
    windowCapable.Append(0);
    accelerated.Append(0);
    hasCaps.Append(0);
    return driverCount++;
}

DWORD TDirectDrawEnum::ReadFreeTextureMemory() {
    DDSCAPS2 caps;
    ZeroMemory(&caps, sizeof caps);
    caps.dwCaps = DDSCAPS_TEXTURE;
    DWORD total = 0;
    DWORD free = 0;
    // An unknown amount counts as none: the driver is then offered for full screen only.
    if (FAILED(directDraw4->GetAvailableVidMem(&caps, &total, &free)))
        return 0;
    return free;
}

const char* TDirectDrawEnum::GetDescription(LONG index) const {
    return IsDriver(index) ? identifiers[index].szDescription : nullptr;
}

GUID TDirectDrawEnum::GetDeviceGuid(LONG index) const {
    return IsDriver(index) ? identifiers[index].guidDeviceIdentifier : GUID{};
}
