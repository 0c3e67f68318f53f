// RecordStart: one line per start, appended so that several starts can be told apart.
#include "StartRecord.h"

#include <windows.h>

#include <string>

void RecordStart() {
    char logPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("MOSS_STANDIN_LOG", logPath, sizeof logPath);
    if (length == 0 || length >= sizeof logPath)
        return;
    char folder[MAX_PATH];
    length = GetCurrentDirectoryA(sizeof folder, folder);
    std::string line = GetCommandLineA();
    line += '\t';
    line.append(folder, length < sizeof folder ? length : 0);
    line += "\r\n";

    HANDLE log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
}
