// A registry key a test uses and leaves as it found it: the whole key is copied aside when the
// object is made and put back, exactly, when it goes; a key that did not exist is deleted again
// with the parent keys it brought into being.
#pragma once
#include <windows.h>

#include <string>

struct StoredValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

class TestKey {
  public:
    enum Start { AsFound, Emptied };
    TestKey(HKEY root, const char* path, Start start = AsFound);
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    // Stores exactly these bytes with this type, creating the key when missing.
    void Store(const char* name, DWORD type, const std::string& bytes) const;
    void StoreDword(const char* name, DWORD value) const;
    // The text and its NUL, as REG_SZ.
    void StoreText(const char* name, const std::string& text) const;
    StoredValue Read(const char* name) const;

  private:
    // Deletes the key with everything below it.
    void Empty() const;

    HKEY root_;
    std::string path_;
    std::string backup_;     // below HKEY_CURRENT_USER; "" when the key did not exist
    std::string topCreated_; // the highest key of path_ that did not exist
};
