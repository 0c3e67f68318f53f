// A registry key a test uses and leaves as it found it: the values it held are put back when the
// object goes and values added meanwhile are deleted; a key that did not exist is deleted again
// with everything below it, together with the parent keys it brought into being.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct StoredValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::string bytes;

    // The number of a 4-byte REG_DWORD; 0xDEADBEEF for anything else.
    DWORD Number() const;
    // A REG_SZ up to its first NUL; "(missing)" for anything else.
    std::string Text() const;
};

class TestKey {
  public:
    enum Start { AsFound, Emptied };
    // Emptied: the key starts without values or subkeys (and is put back as found all the same).
    TestKey(HKEY root, const char* path, Start start = AsFound);
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    bool Exists() const;
    // Deletes the key with everything below it.
    void Empty() const;
    // Stores exactly these bytes with this type, creating the key when missing.
    void Store(const char* name, DWORD type, const std::string& bytes) const;
    void StoreDword(const char* name, DWORD value) const;
    // The text and its NUL, as REG_SZ.
    void StoreText(const char* name, const std::string& text) const;
    void Delete(const char* name) const;
    StoredValue Read(const char* name) const;
    DWORD CountValues() const;
    // The number of values and subkeys and the time of the last write, or "absent": equal
    // snapshots mean nothing was written in between.
    std::string Snapshot() const;

  private:
    HKEY root_;
    std::string path_;
    bool existed_;
    std::vector<std::pair<std::string, StoredValue>> saved_;
    std::vector<std::string> missingParents_; // deepest first
};
