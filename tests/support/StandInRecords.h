// What the stand-in programs recorded about their starts (MOSS_STANDIN_LOG): the game writes
// "<command line> TAB <working directory> CR LF", the setup and the installers
// "<program> TAB <working directory> TAB <command line> LF".
#pragma once
#include <string>
#include <vector>

struct StandInStart {
    std::string program; // file name, e.g. "dxmedia.exe"
    std::string folder;  // its current folder
    std::string commandLine;
};

struct GameStart {
    std::string commandLine;
    std::string folder; // its working directory
};

// Names a new log file for the stand-ins this process starts; removes it on destruction.
class StandInLog {
  public:
    explicit StandInLog(const std::string& path);
    StandInLog(const StandInLog&) = delete;
    StandInLog& operator=(const StandInLog&) = delete;
    ~StandInLog();

    // The starts of the setup and the installers recorded so far, in order.
    std::vector<StandInStart> Starts() const;
    // The starts of the game recorded so far, in order.
    std::vector<GameStart> GameStarts() const;

  private:
    std::vector<std::vector<std::string>> Lines(bool game) const;
    std::string path_;
};
