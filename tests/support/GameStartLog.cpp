// ReadGameStarts: the lines in the stand-in game's format; lines that other stand-ins append to
// the same file (LF-ended, two tabs) are skipped.
#include "GameStartLog.h"
#include "ReadTextFile.h"

std::vector<GameStart> ReadGameStarts(const std::string& logPath) {
    std::vector<GameStart> starts;
    std::string text = ReadTextFile(logPath);
    size_t begin = 0;
    for (size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        std::string line = text.substr(begin, end - begin);
        size_t tab = line.find('\t');
        if (line.empty() || line.back() != '\r' || tab == std::string::npos ||
            line.find('\t', tab + 1) != std::string::npos)
            continue;
        starts.push_back({line.substr(0, tab), line.substr(tab + 1, line.size() - tab - 2)});
    }
    return starts;
}
