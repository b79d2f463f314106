#pragma once

// The designer's resources: strings and command prompts, the main menu and accelerators, the
// toolbar layouts, the pictures and the dialog templates, registered with the window layer.

#include <string>

// Registers everything; registering again replaces the entries with the same ids.
void RegisterAppResources();

// The address opened when the help file cannot be shown.
inline constexpr const char* kOnlineHelpPage = "https://vantorel.example/help/";
inline constexpr const char* kHelpFileName = "vantorel.chm";
