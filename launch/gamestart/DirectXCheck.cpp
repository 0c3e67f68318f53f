// IsDirectXInstalled: compares what DSETUP.dll reports with a minimum version.
#include "DirectXCheck.h"
#include "DirectXSetup.h"

int IsDirectXInstalled(DWORD minVersion, DWORD minRevision) {
    DWORD version = 0;
    DWORD revision = 0;
    if (!DirectXSetupGetVersion(&version, &revision))
        return 0;
    if (version != minVersion)
        return version > minVersion;
    return revision >= minRevision;
}
