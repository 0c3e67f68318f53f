// The DirectX version as the system records it: text "major.minor.release.build".
#pragma once
#include <windows.h>

// Where DirectX records its version: the string value "Version" of this key of HKLM.
constexpr char DirectXKey[] = "SOFTWARE\\Microsoft\\DirectX";

// "4.06.02.0436" gives version 0x00040006 and revision 0x000201B4. False for any other shape
// or a part above 0xFFFF; the outputs are then untouched.
bool ParseVersionText(const char* text, DWORD& version, DWORD& revision);
