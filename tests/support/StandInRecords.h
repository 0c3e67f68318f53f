// What the stand-in programs recorded about their starts (MOSS_STANDIN_LOG).
#pragma once
#include <string>
#include <vector>

struct StandInStart {
    std::string program; // file name, e.g. "dxmedia.exe"
    std::string folder;  // its current folder
    std::string commandLine;
};

// Names a new log file for the stand-ins this process starts; removes it on destruction.
class StandInLog {
  public:
    explicit StandInLog(const std::string& path);
    StandInLog(const StandInLog&) = delete;
    StandInLog& operator=(const StandInLog&) = delete;
    ~StandInLog();

    // The starts recorded so far, in order.
    std::vector<StandInStart> Starts() const;

  private:
    std::string path_;
};
