// PrimaryDriverRequest: one DirectDrawCreate on a thread of its own.
#include "PrimaryDriverRequest.h"
#include "DirectDrawCalls.h"

PrimaryDriverRequest::PrimaryDriverRequest() {
    thread = CreateThread(nullptr, 0, Create, this, 0, nullptr);
}

PrimaryDriverRequest::~PrimaryDriverRequest() {
    Wait();
    if (created)
        created->Release();
}

DWORD WINAPI PrimaryDriverRequest::Create(LPVOID context) {
    auto* request = static_cast<PrimaryDriverRequest*>(context);
    request->result = DirectDrawCalls.DirectDrawCreate(nullptr, &request->created, nullptr);
    if (FAILED(request->result))
        request->created = nullptr; // a failed call need not clear it
    return 0;
}

void PrimaryDriverRequest::Wait() {
    if (!thread)
        return;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    thread = nullptr;
}

HRESULT PrimaryDriverRequest::Take(IDirectDraw** directDraw) {
    if (!thread)
        return DirectDrawCalls.DirectDrawCreate(nullptr, directDraw, nullptr);
    Wait();
    *directDraw = created;
    created = nullptr;
    return result;
}
