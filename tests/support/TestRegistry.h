// Registry access for tests: keep a key as it was, and read or write single values.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Saves the values of one key (not its subkeys) and puts them back when it goes out of scope:
// values added meanwhile are deleted, and a key that did not exist is deleted again.
class SavedRegistryKey {
  public:
    SavedRegistryKey(HKEY root, const char* path);
    SavedRegistryKey(const SavedRegistryKey&) = delete;
    SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;
    ~SavedRegistryKey();

  private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };

    HKEY root_;
    std::string path_;
    bool existed_ = false;
    std::vector<Value> values_;
};

bool SetRegistryString(HKEY root, const char* path, const char* name, const char* text);
bool SetRegistryDword(HKEY root, const char* path, const char* name, DWORD value);
void DeleteRegistryValue(HKEY root, const char* path, const char* name);
// Deletes the key with its values; it must have no subkeys.
void DeleteRegistryKey(HKEY root, const char* path);
// False when the value is missing or of another type.
bool ReadRegistryString(HKEY root, const char* path, const char* name, std::string& text);
bool ReadRegistryDword(HKEY root, const char* path, const char* name, DWORD& value);
bool ReadRegistryBinary(HKEY root, const char* path, const char* name, std::vector<BYTE>& data);
