// ReportError: reports are accepted and dropped; the caller goes on with its failure path.
#include "ReportError.h"

void (*ReportErrorWatcher)(DWORD source, HRESULT code, const char* message) = nullptr;

int ReportError(DWORD source, HRESULT code, TString message) {
    if (ReportErrorWatcher)
        ReportErrorWatcher(source, code, message);
    return 0;
}
