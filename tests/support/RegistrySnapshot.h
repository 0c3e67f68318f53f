// Registry state for tests that must show a key was left as it was.
#pragma once
#include <windows.h>
#include <string>

// The number of values and subkeys under root\path and the time it was last written, as text;
// "absent" when the key does not exist.
std::string RegistrySnapshot(HKEY root, const char* path);

// Sets HKLM\SOFTWARE\Microsoft\DirectX "Version", which the DSETUP.dll stand-in reports, for the
// life of the object; the previous value (or its absence) is restored afterwards.
class DirectXVersionOverride {
  public:
    explicit DirectXVersionOverride(const char* version);
    ~DirectXVersionOverride();
    DirectXVersionOverride(const DirectXVersionOverride&) = delete;
    DirectXVersionOverride& operator=(const DirectXVersionOverride&) = delete;

  private:
    bool existed_;
    std::string saved_;
};
