// What the stand-in game shows: the settings the launcher stored for it.
#pragma once
#include <string>

// Display device, screen mode and the option word of that mode, read from the game's settings
// key, as lines of text.
std::string DescribeSettings();
