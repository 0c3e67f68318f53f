// TDirectDrawEnum: lists the machine's DirectDraw display drivers and tells for each whether the
// game can run in a window on it, whether it has 3D acceleration, and whether its capabilities
// could be read at all. Holds no DirectDraw object between calls.
#pragma once
#include "TDirectDraw.h"

class PrimaryDriverRequest;

class TDirectDrawEnum : public TDirectDraw {
  public:
    // Starts from empty lists; returns the result of DirectDrawEnumerateA.
    HRESULT Enumerate();
    // context is the enumerator. DDENUMRET_CANCEL ends the enumeration at the first driver that
    // cannot be created, has no IDirectDraw4 or whose capabilities cannot be read.
    static BOOL WINAPI EnumDriverCallback(GUID* driverGuid, LPSTR driverDescription,
                                          LPSTR driverName, LPVOID context);

    LONG GetDriverCount() const { return driverCount; }
    // Null when index names no driver.
    const char* GetDescription(LONG index) const;
    // The all-zero GUID when index names no driver.
    GUID GetDeviceGuid(LONG index) const;
    // 0 or 1; 0 when index names no driver.
    LONG IsWindowCapable(LONG index) const { return FlagOf(windowCapable, index); }
    LONG IsAccelerated(LONG index) const { return FlagOf(accelerated, index); }
    LONG HasCaps(LONG index) const { return FlagOf(hasCaps, index); }

  private:
    // DirectDrawCreate of the driver into directDraw; the primary driver's object comes from the
    // request that Enumerate started.
    HRESULT CreateDriverObject(GUID* driverGuid);
    BOOL ExamineDriver(GUID* driverGuid);
    DDDEVICEIDENTIFIER ReadIdentifier();
    LONG RecordDriver(const DDDEVICEIDENTIFIER& identifier);
    DWORD ReadFreeTextureMemory();
    bool IsDriver(LONG index) const { return index >= 0 && index < identifiers.Count(); }
    LONG FlagOf(const TArray<LONG>& flags, LONG index) const {
        return index >= 0 && index < flags.Count() ? flags[index] : 0;
    }

    TArray<LONG> windowCapable;
    TArray<LONG> accelerated;
    TArray<LONG> hasCaps;
    PrimaryDriverRequest* primaryDriver = nullptr; // while Enumerate runs
};
