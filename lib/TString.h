// TString: the in-house reference-counted narrow string (copy on write, exact-size blocks).
// A TString is one pointer wide and points at its NUL-terminated text, so it can be passed
// wherever a const char* is taken.
#pragma once
#include <windows.h>

struct TStringData {
    volatile LONG refCount; // sharers; -1 = locked (a writable pointer is out) or shared empty
    int length;             // bytes in use, NUL not counted
    int capacity;           // bytes the block holds, NUL not counted
    char* Text() { return reinterpret_cast<char*>(this + 1); }
};

class TString {
  public:
    TString();
    TString(const char* text);
    TString(const TString& other);
    ~TString();

    TString& operator=(const TString& other);
    TString& operator=(const char* text);
    TString& operator+=(const char* text);
    friend TString operator+(const TString& left, const char* right);

    operator const char*() const { return text_; }
    const char* Text() const { return text_; }
    int Length() const { return Data()->length; }
    int Capacity() const { return Data()->capacity; }
    LONG RefCount() const { return Data()->refCount; }
    bool IsSharedEmpty() const;

    // Exclusive, writable buffer with room for minLength bytes and a NUL.
    char* BeginWrite(int minLength);
    // Ends a write: newLength -1 takes the length of the text now in the buffer.
    void EndWrite(int newLength);
    // A writable pointer that stays valid (and unshared) until UnlockText.
    char* LockText();
    void UnlockText();
    void SetChar(int index, char c);

    TString LeftPart(int count) const;
    // Byte index of the last occurrence of a single-byte character, or -1. Double-byte
    // characters of the ANSI code page are skipped whole, so a trail byte never matches.
    int FindLast(int c) const;
    void Format(const char* format, ...);

  private:
    explicit TString(TStringData* data) : text_(data->Text()) {}
    TStringData* Data() const { return reinterpret_cast<TStringData*>(text_) - 1; }
    static TStringData* Allocate(int length);
    static void Release(TStringData* data);
    void AssignCopy(const char* text, int length);
    void AppendInPlace(const char* text, int length);
    void CopyBeforeWrite();

    char* text_;
};

// Upper bound of the output of vsprintf(format, arguments); exposed for tests.
int EstimateFormatLength(const char* format, va_list arguments);
