// RebootMachine: ExitWindowsEx with EWX_REBOOT, after enabling the right to shut down.
#include "RebootMachine.h"
#include "SystemCalls.h"

namespace {

// Windows NT refuses a reboot to a process whose shutdown privilege is not enabled. Windows 95
// has no tokens: there the first call fails and nothing is needed.
void EnableShutdownPrivilege() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

} // namespace

void RebootMachine() {
    EnableShutdownPrivilege();
    SystemCalls.ExitWindowsEx(EWX_REBOOT, 0);
}
