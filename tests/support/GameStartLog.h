// What the stand-in game recorded about its starts (MOSS_STANDIN_LOG): its own line format,
// "<command line> TAB <working directory> CR LF".
#pragma once
#include <string>
#include <vector>

struct GameStart {
    std::string commandLine;
    std::string folder; // its working directory
};

// The starts recorded in the file, in order; none when it is missing.
std::vector<GameStart> ReadGameStarts(const std::string& logPath);
