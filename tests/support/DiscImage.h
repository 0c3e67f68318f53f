// A folder tree put "on the disc" of a CD-ROM drive of the prefix for the length of a test.
#pragma once
#include <string>
#include <vector>

class DiscImage {
  public:
    // Copies every file and folder below source to the drive root ("E:"); what it placed is
    // removed again on destruction, deepest first.
    DiscImage(const std::string& source, const std::string& drive);
    ~DiscImage();
    DiscImage(const DiscImage&) = delete;
    DiscImage& operator=(const DiscImage&) = delete;
    bool Placed() const { return placed_; }

  private:
    void CopyTree(const std::string& from, const std::string& to);

    std::vector<std::string> files_;
    std::vector<std::string> folders_;
    bool placed_ = true;
};
