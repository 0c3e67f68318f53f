// ReportError: where library code reports a failed DirectX call. No output is enabled in the
// launcher, so a report changes nothing the player sees.
#pragma once
#include <windows.h>
#include "TString.h"

enum ErrorSource : DWORD {
    ErrorSourceLibrary = 0,
    ErrorSourceDirectDraw = 1,
    ErrorSourceDirect3D = 2,
    ErrorSourceDirect3DRM = 3,
    ErrorSourceDirectSound = 4,
    ErrorSourceDirectInput = 5,
    ErrorSourceDirectPlay = 6,
    ErrorSourceDirectXFile = 7,
    ErrorSourceDirectSetup = 8,
};

int ReportError(DWORD source, HRESULT code, TString message);

// Null in the launcher. Tests point it at their own function to see the reports.
extern void (*ReportErrorWatcher)(DWORD source, HRESULT code, const char* message);
