// A registry key that a test may fill freely. It is deleted with everything below it when the
// object is made and again when it goes, together with the parent keys it brought into being,
// so the registry is left as it was found.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct StoredValue {
    bool found;
    DWORD type;
    std::string bytes;
};

class ScratchKey {
  public:
    ScratchKey(HKEY root, const char* path);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    bool Exists() const;
    // Stores exactly these bytes with this type, creating the key when missing.
    void Store(const char* name, DWORD type, const std::string& bytes) const;
    void StoreDword(const char* name, DWORD value) const;
    // The text and its NUL, as REG_SZ.
    void StoreText(const char* name, const std::string& text) const;
    StoredValue Read(const char* name) const;
    DWORD CountValues() const;

  private:
    HKEY root_;
    std::string path_;
    std::vector<std::string> missingParents_; // deepest first
};

// Deletes a key and all its subkeys; true when the key is gone.
bool DeleteKeyTree(HKEY root, const std::string& path);
