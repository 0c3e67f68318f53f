// StandInLog: one line per start, fields separated by tabs.
#include "StandInRecords.h"

#include <windows.h>

#include "TestFiles.h"

StandInLog::StandInLog(const std::string& path) : path_(path) {
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("MOSS_STANDIN_LOG", path_.c_str());
}

StandInLog::~StandInLog() {
    SetEnvironmentVariableA("MOSS_STANDIN_LOG", nullptr);
    DeleteFileA(path_.c_str());
}

// The fields of the game's lines (two, CR LF ended) or of the others' (three, LF ended).
std::vector<std::vector<std::string>> StandInLog::Lines(bool game) const {
    std::vector<std::vector<std::string>> lines;
    std::string text = ReadTextFile(path_);
    for (size_t begin = 0, end; (end = text.find('\n', begin)) != std::string::npos;
         begin = end + 1) {
        std::string line = text.substr(begin, end - begin);
        bool crlf = !line.empty() && line.back() == '\r';
        if (crlf != game)
            continue;
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start, line.size() - start - (crlf ? 1 : 0)));
        if (fields.size() == (game ? 2u : 3u))
            lines.push_back(fields);
    }
    return lines;
}

std::vector<StandInStart> StandInLog::Starts() const {
    std::vector<StandInStart> starts;
    for (const auto& fields : Lines(false))
        starts.push_back({fields[0], fields[1], fields[2]});
    return starts;
}

std::vector<GameStart> StandInLog::GameStarts() const {
    std::vector<GameStart> starts;
    for (const auto& fields : Lines(true))
        starts.push_back({fields[0], fields[1]});
    return starts;
}
