// The launcher-wide state.
#include "LauncherState.h"

HINSTANCE AppInstance;
TString GameDirectory;
LONG CommandBusy[CommandSlotCount];
