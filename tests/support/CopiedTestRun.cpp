// RunTestsFromCopy: the copy writes a JSON report that the caller reads back.
#include "CopiedTestRun.h"
#include "ChildProcess.h"
#include "TestFiles.h"

#include <windows.h>

namespace {

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
    return path;
}

} // namespace

bool RunTestsFromCopy(const std::string& folder, const std::vector<std::string>& tests,
                      std::string& report) {
    std::string own = OwnPath();
    std::string copy = folder + own.substr(own.find_last_of('\\'));
    std::string library = folder + "\\DSETUP.dll";
    if (!CopyFileA(own.c_str(), copy.c_str(), FALSE) ||
        !CopyFileA((BinaryFolder() + "\\DSETUP.dll").c_str(), library.c_str(), FALSE)) {
        report = "could not copy the test program to " + folder;
        return false;
    }
    std::string filter;
    for (const std::string& test : tests)
        filter += (filter.empty() ? "" : ":") + test;
    std::string reportPath = folder + "\\report.json";
    DWORD code = STILL_ACTIVE;
    {
        ChildProcess run; // ended here at the latest, so its files can go
        if (run.Start(copy,
                      "\"" + copy + "\" --gtest_also_run_disabled_tests --gtest_filter=" + filter +
                          " \"--gtest_output=json:" + reportPath + "\"",
                      folder))
            code = run.WaitForExit(60000);
    }
    report = ReadTextFile(reportPath);
    DeleteFileA(reportPath.c_str());
    DeleteFileA(copy.c_str());
    DeleteFileA(library.c_str());
    if (code != 0) {
        report = "the copy ended with " + std::to_string(code) + "\n" + report;
        return false;
    }
    // A filter that names no test passes without running anything.
    for (const std::string& test : tests) {
        std::string name = "\"name\": \"" + test.substr(test.find('.') + 1) + "\"";
        if (report.find(name) == std::string::npos) {
            report = test + " did not run\n" + report;
            return false;
        }
    }
    return true;
}
