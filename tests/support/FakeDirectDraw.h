// Fake DirectDraw drivers: each answers the driver enumeration with the identifier, capabilities,
// display mode and free memory a test chose, can fail any one call, and counts the references
// held on its two interfaces. A FakeDirectDrawMachine puts its drivers in place of the real ones.
#pragma once
#include <windows.h>
#include <ddraw.h>
#include <memory>
#include <string>
#include <vector>

#include "DirectDrawCalls.h"

struct FakeDriver;

class FakeDirectDraw4 : public IDirectDraw4 {
  public:
    explicit FakeDirectDraw4(FakeDriver& driver) : driver_(driver) {}

    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;
    HRESULT WINAPI GetCaps(LPDDCAPS hardware, LPDDCAPS emulation) override;
    HRESULT WINAPI GetDisplayMode(LPDDSURFACEDESC2 desc) override;
    HRESULT WINAPI GetAvailableVidMem(LPDDSCAPS2 caps, LPDWORD total, LPDWORD free) override;
    HRESULT WINAPI GetDeviceIdentifier(LPDDDEVICEIDENTIFIER identifier, DWORD flags) override;

    HRESULT WINAPI Compact() override { return E_NOTIMPL; }
    HRESULT WINAPI CreateClipper(DWORD, LPDIRECTDRAWCLIPPER*, IUnknown*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI CreatePalette(DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*, IUnknown*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI CreateSurface(LPDDSURFACEDESC2, LPDIRECTDRAWSURFACE4*, IUnknown*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DuplicateSurface(LPDIRECTDRAWSURFACE4, LPDIRECTDRAWSURFACE4*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI EnumDisplayModes(DWORD, LPDDSURFACEDESC2, LPVOID,
                                    LPDDENUMMODESCALLBACK2) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI EnumSurfaces(DWORD, LPDDSURFACEDESC2, LPVOID,
                                LPDDENUMSURFACESCALLBACK2) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI FlipToGDISurface() override { return E_NOTIMPL; }
    HRESULT WINAPI GetFourCCCodes(LPDWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetGDISurface(LPDIRECTDRAWSURFACE4*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetMonitorFrequency(LPDWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetScanLine(LPDWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetVerticalBlankStatus(WINBOOL*) override { return E_NOTIMPL; }
    HRESULT WINAPI Initialize(GUID*) override { return E_NOTIMPL; }
    HRESULT WINAPI RestoreDisplayMode() override { return E_NOTIMPL; }
    HRESULT WINAPI SetCooperativeLevel(HWND, DWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI SetDisplayMode(DWORD, DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI WaitForVerticalBlank(DWORD, HANDLE) override { return E_NOTIMPL; }
    HRESULT WINAPI GetSurfaceFromDC(HDC, LPDIRECTDRAWSURFACE4*) override { return E_NOTIMPL; }
    HRESULT WINAPI RestoreAllSurfaces() override { return E_NOTIMPL; }
    HRESULT WINAPI TestCooperativeLevel() override { return E_NOTIMPL; }

  private:
    // Counts a call made while no reference is held.
    void CheckHeld();
    FakeDriver& driver_;
};

class FakeDirectDraw : public IDirectDraw {
  public:
    explicit FakeDirectDraw(FakeDriver& driver) : driver_(driver) {}

    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;

    HRESULT WINAPI Compact() override { return E_NOTIMPL; }
    HRESULT WINAPI CreateClipper(DWORD, LPDIRECTDRAWCLIPPER*, IUnknown*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI CreatePalette(DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*, IUnknown*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI CreateSurface(LPDDSURFACEDESC, LPDIRECTDRAWSURFACE*, IUnknown*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DuplicateSurface(LPDIRECTDRAWSURFACE, LPDIRECTDRAWSURFACE*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI EnumDisplayModes(DWORD, LPDDSURFACEDESC, LPVOID,
                                    LPDDENUMMODESCALLBACK) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI EnumSurfaces(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMSURFACESCALLBACK) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI FlipToGDISurface() override { return E_NOTIMPL; }
    HRESULT WINAPI GetCaps(LPDDCAPS, LPDDCAPS) override { return E_NOTIMPL; }
    HRESULT WINAPI GetDisplayMode(LPDDSURFACEDESC) override { return E_NOTIMPL; }
    HRESULT WINAPI GetFourCCCodes(LPDWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetGDISurface(LPDIRECTDRAWSURFACE*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetMonitorFrequency(LPDWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetScanLine(LPDWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetVerticalBlankStatus(WINBOOL*) override { return E_NOTIMPL; }
    HRESULT WINAPI Initialize(GUID*) override { return E_NOTIMPL; }
    HRESULT WINAPI RestoreDisplayMode() override { return E_NOTIMPL; }
    HRESULT WINAPI SetCooperativeLevel(HWND, DWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI SetDisplayMode(DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI WaitForVerticalBlank(DWORD, HANDLE) override { return E_NOTIMPL; }

  private:
    FakeDriver& driver_;
};

// One display driver. By default a capable 3D board: window-capable and accelerated.
struct FakeDriver {
    FakeDriver();
    FakeDriver(const FakeDriver&) = delete;
    FakeDriver& operator=(const FakeDriver&) = delete;

    // What the driver reports.
    GUID driverGuid = {}; // passed to the callback (the first driver gets null)
    std::string description = "Fake 3D Adapter";
    GUID deviceGuid = {};                              // guidDeviceIdentifier of its own identifier
    std::string hostDescription = "Fake Host Adapter"; // with DDGDI_GETHOSTIDENTIFIER
    GUID hostGuid = {};
    DWORD caps = DDCAPS_3D;
    DWORD caps2 = DDCAPS2_CANRENDERWINDOWED;
    DWORD surfaceCaps = DDSCAPS_TEXTURE;
    DWORD videoMemoryFree = 8 << 20;
    LONG pitch = 1280; // 640 x 480 at 16 bits
    DWORD height = 480;
    DWORD textureMemoryFree = 8 << 20;

    // A failure code makes that call fail; a failing driver scribbles on what it was given.
    HRESULT createResult = DD_OK;
    HRESULT queryResult = S_OK; // of IID_IDirectDraw4
    HRESULT identifierResult = DD_OK;
    HRESULT capsResult = DD_OK;
    HRESULT displayModeResult = DD_OK;
    HRESULT videoMemoryResult = DD_OK;

    // What the test reads back.
    LONG directDrawReferences = 0;
    LONG directDraw4References = 0;
    int createCalls = 0;
    int callsWithoutReference = 0; // methods called on an interface nobody holds

    FakeDirectDraw directDraw;
    FakeDirectDraw4 directDraw4;
};

// While alive, DirectDrawCalls enumerates and creates its drivers, in the order they were added.
class FakeDirectDrawMachine {
  public:
    FakeDirectDrawMachine();
    ~FakeDirectDrawMachine();
    FakeDirectDrawMachine(const FakeDirectDrawMachine&) = delete;
    FakeDirectDrawMachine& operator=(const FakeDirectDrawMachine&) = delete;

    FakeDriver& AddDriver();
    FakeDriver& operator[](size_t index) { return *drivers_[index]; }
    size_t DriverCount() const { return drivers_.size(); }
    int callbacks = 0; // drivers offered to the enumeration callback
    // True when every driver holds no reference and was used only while held.
    bool AllReleased() const;

  private:
    static HRESULT WINAPI Enumerate(LPDDENUMCALLBACKA callback, LPVOID context);
    static HRESULT WINAPI Create(GUID* driverGuid, LPDIRECTDRAW* directDraw, IUnknown* outer);

    static FakeDirectDrawMachine* ActiveMachine; // the innermost machine alive

    std::vector<std::unique_ptr<FakeDriver>> drivers_;
    DirectDrawCallTable saved_;
    FakeDirectDrawMachine* previous_;
};
