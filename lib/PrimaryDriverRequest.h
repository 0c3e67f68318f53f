// PrimaryDriverRequest: the DirectDraw object of the primary display driver, asked for on a
// thread of its own while DirectDrawEnumerateA prepares the driver list. DirectDraw reports the
// primary driver first, with a null GUID, and preparing the list can cost as much as creating
// the object: on a machine with more than one core the two now take the time of one.
#pragma once
#include <windows.h>
#include <ddraw.h>

class PrimaryDriverRequest {
  public:
    PrimaryDriverRequest();
    PrimaryDriverRequest(const PrimaryDriverRequest&) = delete;
    PrimaryDriverRequest& operator=(const PrimaryDriverRequest&) = delete;
    // Waits for the thread and releases an object that nobody took.
    ~PrimaryDriverRequest();

    // What DirectDrawCreate(NULL, directDraw, NULL) gave; the object becomes the caller's. When
    // the thread could not be started, or its object was taken already, asks here and now.
    HRESULT Take(IDirectDraw** directDraw);

  private:
    static DWORD WINAPI Create(LPVOID request);
    void Wait();

    HANDLE thread = nullptr;
    HRESULT result = DDERR_GENERIC;
    IDirectDraw* created = nullptr;
};
