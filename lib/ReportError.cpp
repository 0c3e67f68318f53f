// ReportError: reports are accepted and dropped; the caller goes on with its failure path.
#include "ReportError.h"

int ReportError(DWORD, HRESULT, TString) {
    return 0;
}
