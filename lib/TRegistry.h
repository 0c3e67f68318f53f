// TRegistry: accessor of one registry key. The key is opened the first time a value is read,
// reopened for writing (created when missing) by the first write, and flushed and closed by
// Close or destruction. Reading and writing both ask for full access.
#pragma once
#include <windows.h>
#include "TRegistryBase.h"
#include "TString.h"

class TRegistry : public TRegistryBase {
  public:
    enum : DWORD { Closed = 0, Reading = 1, Writing = 2 };

    TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    DWORD QueryDword(const char* name, DWORD defaultValue) override;
    char* QueryString(const char* name, char* buffer, DWORD size, const char* defaultText) override;
    BOOL QueryBinary(const char* name, void* buffer, DWORD& size) override;
    BOOL SetDword(const char* name, DWORD value) override;
    BOOL SetString(const char* name, const char* text) override;
    BOOL SetBinary(const char* name, const void* data, DWORD size) override;

    // Path "Software" (HKEY_CURRENT_USER) or "SOFTWARE" (HKEY_LOCAL_MACHINE) followed by each
    // name that is not null. Any other root: 0 and nothing changes. Call while closed.
    virtual BOOL SetKey(HKEY rootKey, const char* company, const char* product, const char* subkey);
    // Any root and path, unchecked. Call while closed.
    virtual BOOL SetPath(HKEY rootKey, const char* keyPath);
    virtual BOOL Close();
    // Counts of the open key; 0 and both counts 0 when closed or on failure.
    virtual BOOL QueryInfo(DWORD* subkeys, DWORD* values);
    virtual BOOL DeleteSubkey(const char* name);
    virtual ~TRegistry();
    virtual BOOL Open(DWORD requested);

    DWORD Mode() const { return mode; }
    HKEY Key() const { return key; }
    HKEY Root() const { return root; }
    const TString& Path() const { return path; }

  private:
    BOOL SetValue(const char* name, DWORD type, const void* data, DWORD size);

    DWORD mode;
    HKEY root;
    TString path; // below root, no leading or trailing backslash
    HKEY key;     // open while mode is Reading or Writing
};
