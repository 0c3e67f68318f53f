// TDirectDraw: the library's DirectDraw display object. The launcher uses only what a driver
// enumeration needs from it: the driver list and the interfaces held while a driver is examined.
#pragma once
#include <windows.h>
#include <ddraw.h>
#include "TArray.h"

class TDirectDraw {
  public:
    TDirectDraw() = default;
    TDirectDraw(const TDirectDraw&) = delete;
    TDirectDraw& operator=(const TDirectDraw&) = delete;
    virtual ~TDirectDraw();

    // Releases every interface held and clears its pointer.
    virtual void ReleaseInterfaces();

  protected:
    IDirectDraw* directDraw = nullptr;
    IDirectDraw4* directDraw4 = nullptr;
    LONG driverCount = 0;
    TArray<DDDEVICEIDENTIFIER> identifiers; // by driver, in enumeration order
};
