// RunProcess: the three ways the launcher starts a program, seen from the launcher's side.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "RunProcess.h"
#include "TestFiles.h"

namespace {

std::string Program(const char* name) {
    return BinaryFolder() + "\\" + name;
}

// A child's ids, written by runchild when RUNCHILD_IDS names a file.
struct ChildIds {
    DWORD process = 0;
    DWORD thread = 0;
};

class RunProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_ = MakeScratchFolder("runprocess");
        idsFile_ = scratch_ + "\\ids.txt";
        SetEnvironmentVariableA("RUNCHILD_IDS", idsFile_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableA("RUNCHILD_IDS", nullptr);
        RemoveTree(scratch_);
    }

    // Runs runchild with the given arguments; the command line starts with the program's path.
    int RunChild(const std::string& arguments, int wait, DWORD* exitCode, int pumpMessages) {
        std::string path = Program("runchild.exe");
        std::string commandLine = path + " " + arguments;
        return RunProcess(path.c_str(), &commandLine[0], wait, exitCode, pumpMessages);
    }

    ChildIds ReadIds() {
        ChildIds ids;
        std::sscanf(ReadTextFile(idsFile_).c_str(), "%lu %lu", &ids.process, &ids.thread);
        return ids;
    }

    // True once neither the child process nor its thread can be opened any more: the system
    // frees them only when the last handle is closed, and Wine a moment after the end.
    static bool ChildObjectsGone(const ChildIds& ids, DWORD timeoutMs) {
        DWORD start = GetTickCount();
        for (;;) {
            HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ids.process);
            HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, ids.thread);
            if (process)
                CloseHandle(process);
            if (thread)
                CloseHandle(thread);
            if (!process && !thread)
                return true;
            if (GetTickCount() - start > timeoutMs)
                return false;
            Sleep(20);
        }
    }

    std::string scratch_;
    std::string idsFile_;
};

TEST_F(RunProcessTest, APathThatNamesNoProgramReturnsZeroAtOnce) {
    std::string notAProgram = scratch_ + "\\readme.txt";
    WriteTextFile(notAProgram, "not a program");
    for (std::string path : {scratch_ + "\\missing.exe", notAProgram}) {
        std::string commandLine = path;
        DWORD exitCode = 0;
        DWORD start = GetTickCount();
        EXPECT_EQ(0, RunProcess(path.c_str(), &commandLine[0], 1, &exitCode, 0)) << path;
        EXPECT_LT(GetTickCount() - start, 2000u) << path;
        EXPECT_EQ(NoExitCode, exitCode) << path;
    }
}

TEST_F(RunProcessTest, BlockingStyleWaitsForTheEndAndReturnsTheExitCode) {
    DWORD exitCode = 0;
    EXPECT_NE(0, RunChild("exit 42", 1, &exitCode, 0));
    EXPECT_EQ(42u, exitCode);
    EXPECT_TRUE(ChildObjectsGone(ReadIds(), 3000)) << "a handle of the child is still open";

    EXPECT_NE(0, RunChild("exit 3", 1, nullptr, 0)) << "no exit code asked";
}

TEST_F(RunProcessTest, WithoutWaitItReturnsWhileTheChildRunsAndLetsGoOfIt) {
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, "runprocess-test-started");
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, "runprocess-test-stop");
    DWORD exitCode = 0;
    DWORD start = GetTickCount();
    // The child cannot end before the test sets stop, so a call that waited for the end would
    // take the child's 30 s time-out.
    EXPECT_NE(0, RunChild("hold runprocess-test-started runprocess-test-stop", 0, &exitCode, 0));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(NoExitCode, exitCode);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started, 5000)) << "the child is not running";
    SetEvent(stop);
    EXPECT_TRUE(ChildObjectsGone(ReadIds(), 3000)) << "a handle of the child is still open";
    CloseHandle(started);
    CloseHandle(stop);
}

// Slow by nature: the runner gives such a child 10 s to come up.
TEST_F(RunProcessTest, WithoutWaitItGivesUpOnAChildThatNeverBecomesIdleAfterTenSeconds) {
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, "runprocess-test-never-idle");
    std::string path = Program("neveridle.exe");
    std::string commandLine = path + " runprocess-test-never-idle";
    DWORD start = GetTickCount();
    EXPECT_NE(0, RunProcess(path.c_str(), &commandLine[0], 0, nullptr, 0));
    DWORD elapsed = GetTickCount() - start;
    SetEvent(stop);
    EXPECT_GE(elapsed, 9500u);
    EXPECT_LT(elapsed, 20000u);
    CloseHandle(stop);
}

// The launcher's window while an installer runs: sent messages are answered, posted ones wait.
class AnsweringWindow {
  public:
    AnsweringWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "RunProcessTestWindow";
        RegisterClassA(&windowClass);
        handle = CreateWindowA("RunProcessTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
        sentAnswered = 0;
        postedDispatched = 0;
    }
    AnsweringWindow(const AnsweringWindow&) = delete;
    AnsweringWindow& operator=(const AnsweringWindow&) = delete;
    ~AnsweringWindow() { DestroyWindow(handle); }

    HWND handle;
    static int sentAnswered;
    static int postedDispatched;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP + 1) {
            ++sentAnswered;
            return wParam * 2 + 1;
        }
        if (message == WM_APP + 2)
            ++postedDispatched;
        return DefWindowProcA(window, message, wParam, lParam);
    }
};
int AnsweringWindow::sentAnswered;
int AnsweringWindow::postedDispatched;

TEST_F(RunProcessTest, PollingStyleAnswersSentMessagesAndLeavesPostedOnesQueued) {
    AnsweringWindow window;
    ASSERT_NE(nullptr, window.handle);
    ASSERT_TRUE(PostMessageA(window.handle, WM_APP + 2, 0, 0));
    std::string answerFile = scratch_ + "\\answer.txt";
    char arguments[400];
    std::snprintf(arguments, sizeof arguments, "send %llu %s 7",
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window.handle)),
                  answerFile.c_str());

    DWORD exitCode = 0;
    EXPECT_NE(0, RunChild(arguments, 1, &exitCode, 1));
    EXPECT_EQ(7u, exitCode) << "the wait ended before the child did";
    EXPECT_EQ("41", ReadTextFile(answerFile));
    EXPECT_EQ(1, AnsweringWindow::sentAnswered);
    EXPECT_EQ(0, AnsweringWindow::postedDispatched);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, window.handle, WM_APP + 2, WM_APP + 2, PM_REMOVE))
        << "the posted message was taken from the queue";
    EXPECT_TRUE(ChildObjectsGone(ReadIds(), 3000)) << "a handle of the child is still open";
}

struct PollingRun {
    std::string path;
    std::string commandLine;
    int result = 0;
    DWORD exitCode = 0;
};

DWORD WINAPI RunPolling(void* parameter) {
    auto* run = static_cast<PollingRun*>(parameter);
    run->result = RunProcess(run->path.c_str(), &run->commandLine[0], 1, &run->exitCode, 1);
    return 0;
}

TEST_F(RunProcessTest, PollingStyleTellsAChildThatEndedWith259FromARunningOne) {
    // On its own thread, so that a runner waiting forever fails the test instead of hanging it.
    auto* run = new PollingRun;
    run->path = Program("runchild.exe");
    run->commandLine = run->path + " exit 259";
    HANDLE thread = CreateThread(nullptr, 0, RunPolling, run, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
    CloseHandle(thread);
    ASSERT_TRUE(ended) << "still waiting for a child that has ended";
    EXPECT_NE(0, run->result);
    EXPECT_EQ(259u, run->exitCode);
    delete run;
}

int QueuePeeks;

LRESULT CALLBACK CountPeeks(int code, WPARAM wParam, LPARAM lParam) {
    ++QueuePeeks;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(RunProcessTest, PollingStyleSleepsInsteadOfSpinningOverAQueuedMessage) {
    // Every look at the queue meets the posted message and passes the hook; a loop that spins
    // while the child runs looks thousands of times.
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP + 3, 0, 0));
    QueuePeeks = 0;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountPeeks, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    DWORD start = GetTickCount();
    DWORD exitCode = 1;
    EXPECT_NE(0, RunChild("sleep 500", 1, &exitCode, 1));
    DWORD elapsed = GetTickCount() - start;
    int peeksWhileWaiting = QueuePeeks;
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_APP + 3, WM_APP + 3, PM_REMOVE));
    EXPECT_GT(QueuePeeks, peeksWhileWaiting) << "the hook sees no peek: the count proves nothing";
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0u, exitCode);
    EXPECT_GE(elapsed, 450u);
    EXPECT_LT(peeksWhileWaiting, 10);
}

} // namespace
