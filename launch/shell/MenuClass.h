// Registers the window class "TEST" that template 101 names.
#pragma once

void RegisterMenuClass();
