// Runs some tests of this test program from a copy of it in another folder: for what the
// program's own folder would spoil (the build's bin folder holds moss.exe and minst.exe, which
// every search for the game's files finds there).
#pragma once
#include <string>
#include <vector>

// Copies this program and DSETUP.dll into folder and runs there the named tests ("Suite.Name";
// tests meant only for the copy carry the DISABLED_ prefix). True when every named test ran and
// all passed; otherwise report says why. The copy is removed again.
bool RunTestsFromCopy(const std::string& folder, const std::vector<std::string>& tests,
                      std::string& report);
