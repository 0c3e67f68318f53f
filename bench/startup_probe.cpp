// Starts one program and watches its window from outside, as the screen shows it:
//   startup_probe.exe HOLD_SECONDS PROGRAM [ARGUMENT]
// As soon as the picture is known it prints one line and flushes it:
//   visible_ms=... startup_ms=... pictures=...
// visible_ms runs from just before CreateProcess to the first sample in which the program has a
// visible window; startup_ms to the first screen frame that already shows the picture the
// window then keeps (a grid of screen pixels, sampled every millisecond or so); pictures counts
// the different pictures seen up to there. The program is then left alone for HOLD_SECONDS (the
// caller reads its processor time and memory meanwhile), gets a close request, and "closed" is
// printed. Exit code 0 on success, 1 when it showed no steady window or did not close.
// With STARTUP_PROBE_MEMORY naming a file, it also writes there, on Wine's tick clock (the one
// of WINEDEBUG=+timestamp): "start TICK" at CreateProcess, "memory TICK WORKING_SET_KB PEAK_KB"
// of the program at every sample, and "frame TICK" for the first frame of the final picture.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const int GridColumns = 8;
const int GridRows = 6;
const double GiveUpMs = 20000;
// The picture counts as final once it has not changed for this long.
const double SteadyMs = 1500;

struct Sample {
    double ms;
    RECT rect;
    std::vector<COLORREF> pixels;
};

bool SamePicture(const Sample& a, const Sample& b) {
    return EqualRect(&a.rect, &b.rect) && a.pixels == b.pixels;
}

class Clock {
  public:
    Clock() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Ms() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return (now.QuadPart - start_.QuadPart) * 1000.0 / frequency_.QuadPart;
    }

  private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

// The optional log of the program's memory, for scripts/bench-startup-steps.sh.
class MemoryLog {
  public:
    MemoryLog(const MemoryLog&) = delete;
    MemoryLog& operator=(const MemoryLog&) = delete;
    MemoryLog() {
        const char* path = getenv("STARTUP_PROBE_MEMORY");
        file_ = path ? fopen(path, "w") : nullptr;
    }
    ~MemoryLog() {
        if (file_)
            fclose(file_);
    }
    // Marks the start, at the moment the probe's clock starts.
    void Start() {
        startTick_ = GetTickCount();
        if (file_)
            fprintf(file_, "start %lu\n", startTick_);
    }
    void Frame(double msSinceStart) {
        if (file_)
            fprintf(file_, "frame %lu\n", startTick_ + static_cast<DWORD>(msSinceStart + 0.5));
    }
    void Sample(HANDLE process) {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (file_ && GetProcessMemoryInfo(process, &counters, sizeof counters)) {
            fprintf(file_, "memory %lu %lu %lu\n", GetTickCount(),
                    static_cast<unsigned long>(counters.WorkingSetSize / 1024),
                    static_cast<unsigned long>(counters.PeakWorkingSetSize / 1024));
        }
    }

  private:
    FILE* file_;
    DWORD startTick_ = 0;
};

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT rect;
    // Wine's 1 x 1 IME windows and the like are not the program's picture.
    if (owner != search->processId || !IsWindowVisible(window) || !GetWindowRect(window, &rect) ||
        rect.right - rect.left < 100) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId) {
    WindowSearch search = {processId, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Sample TakeSample(HWND window, double ms) {
    Sample sample;
    sample.ms = ms;
    GetWindowRect(window, &sample.rect);
    const int width = sample.rect.right - sample.rect.left;
    const int height = sample.rect.bottom - sample.rect.top;
    HDC screen = GetDC(nullptr);
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 0; column < GridColumns; ++column) {
            int x = sample.rect.left + (2 * column + 1) * width / (2 * GridColumns);
            int y = sample.rect.top + (2 * row + 1) * height / (2 * GridRows);
            sample.pixels.push_back(GetPixel(screen, x, y));
        }
    }
    ReleaseDC(nullptr, screen);
    return sample;
}

class Child {
  public:
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    Child(const std::string& program, const std::string& argument) {
        std::string folder = program.substr(0, program.find_last_of("\\/"));
        std::string commandLine = "\"" + program + "\"";
        if (!argument.empty())
            commandLine += " " + argument;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                  nullptr, folder.c_str(), &startup, &info_) != 0;
    }
    ~Child() {
        if (!started_)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool Started() const { return started_; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    bool Close(HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return WaitForSingleObject(info_.hProcess, 10000) == WAIT_OBJECT_0;
    }

  private:
    PROCESS_INFORMATION info_ = {};
    bool started_ = false;
};

struct FirstFrame {
    HWND window = nullptr;
    double visibleMs = 0;
    double finalMs = 0;
    int pictures = 0;
};

// Samples the program's window until its picture has stayed the same for SteadyMs; the first
// sample of that last unchanged stretch is the first frame of the final picture.
bool WatchFirstFrame(const Child& child, const Clock& clock, FirstFrame& frame, MemoryLog& log) {
    std::vector<Sample> samples;
    while (clock.Ms() < GiveUpMs && child.Running()) {
        log.Sample(child.Process());
        HWND current = VisibleWindowOf(child.Id());
        if (current) {
            frame.window = current;
            samples.push_back(TakeSample(current, clock.Ms()));
            if (samples.size() == 1 || !SamePicture(samples[samples.size() - 2], samples.back()))
                ++frame.pictures;
            size_t first = samples.size() - 1;
            while (first > 0 && SamePicture(samples[first - 1], samples.back()))
                --first;
            if (samples.back().ms - samples[first].ms >= SteadyMs) {
                frame.visibleMs = samples.front().ms;
                frame.finalMs = samples[first].ms;
                return true;
            }
        }
        Sleep(1);
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: startup_probe HOLD_SECONDS PROGRAM [ARGUMENT]\n");
        return 2;
    }
    const int holdSeconds = atoi(argv[1]);

    MemoryLog log;
    log.Start();
    Clock clock;
    Child child(argv[2], argc > 3 ? argv[3] : "");
    if (!child.Started()) {
        fprintf(stderr, "startup_probe: cannot start %s (error %lu)\n", argv[2], GetLastError());
        return 1;
    }
    FirstFrame frame;
    if (!WatchFirstFrame(child, clock, frame, log)) {
        fprintf(stderr, "startup_probe: %s showed no steady window\n", argv[2]);
        return 1;
    }
    log.Frame(frame.finalMs);
    printf("visible_ms=%.1f startup_ms=%.1f pictures=%d\n", frame.visibleMs, frame.finalMs,
           frame.pictures);
    fflush(stdout);

    Sleep(holdSeconds * 1000);
    if (!child.Close(frame.window)) {
        fprintf(stderr, "startup_probe: %s did not close\n", argv[2]);
        return 1;
    }
    printf("closed\n");
    return 0;
}
