// The settings record.
#include "LauncherSettings.h"

SettingsRecord LauncherSettings;
