// RecordStandInStart: one line per start, appended in a single write.
#include "StandInLog.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

void RecordStandInStart() {
    char logPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("MOSS_STANDIN_LOG", logPath, sizeof logPath);
    if (length == 0 || length >= sizeof logPath)
        return;

    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module - 1);
    const char* name = std::strrchr(module, '\\');
    name = name ? name + 1 : module;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);

    char line[4096];
    int size = std::snprintf(line, sizeof line, "%s\t%s\t%s\n", name, folder, GetCommandLineA());
    if (size <= 0 || size >= static_cast<int>(sizeof line))
        return;
    HANDLE log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(log, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(log);
}
