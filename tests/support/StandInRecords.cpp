// StandInLog: one line per start, fields separated by tabs.
#include "StandInRecords.h"

#include <windows.h>

#include "ReadTextFile.h"

StandInLog::StandInLog(const std::string& path) : path_(path) {
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("MOSS_STANDIN_LOG", path_.c_str());
}

StandInLog::~StandInLog() {
    SetEnvironmentVariableA("MOSS_STANDIN_LOG", nullptr);
    DeleteFileA(path_.c_str());
}

std::vector<StandInStart> StandInLog::Starts() const {
    std::vector<StandInStart> starts;
    std::string text = ReadTextFile(path_);
    size_t begin = 0;
    for (size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        std::string line = text.substr(begin, end - begin);
        size_t first = line.find('\t');
        size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos)
            continue;
        starts.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                          line.substr(second + 1)});
    }
    return starts;
}
