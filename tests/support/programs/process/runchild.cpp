// A child for the process runner's tests (console program, no window of its own):
//     runchild exit N              ends with N
//     runchild sleep MS            sleeps, then ends with 0
//     runchild hold STARTED STOP   sets the named event STARTED, then waits for the named event
//                                  STOP (30 s at most) and ends with 0
//     runchild send HWND FILE N    sends the message WM_APP+1 (wParam 20) to the window HWND,
//                                  writes the answer (or "no answer") to FILE, ends with N
// When the environment variable RUNCHILD_IDS names a file, it first writes its process and
// thread ids there, so that a test can tell when the system has let go of them.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Hold(const char* started, const char* stop) {
    HANDLE startedEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, started);
    HANDLE stopEvent = OpenEventA(SYNCHRONIZE, FALSE, stop);
    if (!startedEvent || !stopEvent)
        return 90;
    SetEvent(startedEvent);
    DWORD waited = WaitForSingleObject(stopEvent, 30000);
    CloseHandle(startedEvent);
    CloseHandle(stopEvent);
    return waited == WAIT_OBJECT_0 ? 0 : 91;
}

int Send(const char* window, const char* file, const char* exitCode) {
    HWND target = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(window, nullptr, 0)));
    DWORD_PTR answer = 0;
    LRESULT answered = SendMessageTimeoutA(target, WM_APP + 1, 20, 0, SMTO_NORMAL, 5000, &answer);
    FILE* out = std::fopen(file, "w");
    if (!out)
        return 92;
    if (answered)
        std::fprintf(out, "%lu", static_cast<unsigned long>(answer));
    else
        std::fputs("no answer", out);
    std::fclose(out);
    return std::atoi(exitCode);
}

void WriteIds() {
    char file[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("RUNCHILD_IDS", file, sizeof file);
    if (length == 0 || length >= sizeof file)
        return;
    FILE* out = std::fopen(file, "w");
    if (!out)
        return;
    std::fprintf(out, "%lu %lu", GetCurrentProcessId(), GetCurrentThreadId());
    std::fclose(out);
}

} // namespace

int main(int argc, char** argv) {
    WriteIds();
    if (argc == 3 && !std::strcmp(argv[1], "exit"))
        return static_cast<int>(std::strtoul(argv[2], nullptr, 0));
    if (argc == 3 && !std::strcmp(argv[1], "sleep")) {
        Sleep(std::strtoul(argv[2], nullptr, 0));
        return 0;
    }
    if (argc == 4 && !std::strcmp(argv[1], "hold"))
        return Hold(argv[2], argv[3]);
    if (argc == 5 && !std::strcmp(argv[1], "send"))
        return Send(argv[2], argv[3], argv[4]);
    return 99;
}
