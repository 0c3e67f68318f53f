// The whole content of a small file, for tests that read what a child program wrote.
#pragma once
#include <string>

// Empty when the file cannot be read.
std::string ReadTextFile(const std::string& path);
