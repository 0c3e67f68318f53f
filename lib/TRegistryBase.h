// TRegistryBase: typed reads and writes of named values, whatever holds them.
#pragma once
#include <windows.h>

class TRegistryBase {
  public:
    // The stored value (shorter data zero-extended), or defaultValue when it cannot be read.
    virtual DWORD QueryDword(const char* name, DWORD defaultValue) = 0;
    // Fills buffer with the stored text, or with defaultText (cut to fit) when the text cannot
    // be read or does not fit with its NUL. The buffer always ends terminated inside size.
    virtual char* QueryString(const char* name, char* buffer, DWORD size,
                              const char* defaultText) = 0;
    // In: the room in buffer (a null buffer only asks for the size). Out: the bytes stored, or
    // on failure the size needed when the room was too small, else 0.
    virtual BOOL QueryBinary(const char* name, void* buffer, DWORD& size) = 0;
    virtual BOOL SetDword(const char* name, DWORD value) = 0;
    virtual BOOL SetString(const char* name, const char* text) = 0;
    virtual BOOL SetBinary(const char* name, const void* data, DWORD size) = 0;
    // The stored bytes in a block from malloc that the caller frees with free; null when the
    // value cannot be read. size: the bytes in the block.
    virtual void* QueryBinaryAlloc(const char* name, DWORD& size);

  protected:
    // Not virtual: an accessor is destroyed through its own type, never through this base.
    ~TRegistryBase() = default;
};
