#pragma once

// The designer's resources: strings and command prompts, the main menu and accelerators, the
// toolbar layouts, the pictures and the dialog templates, registered with the window layer.

#include <filesystem>
#include <string>

// Registers everything; registering again replaces the entries with the same ids.
void RegisterAppResources();
// The icon theme's folders, and the pictures drawn into the installation at build time (the
// splash) in place of the plain ones; a missing picture keeps the plain one.
void RegisterInstalledPictures(const std::filesystem::path& install);

// The address opened when the help file cannot be shown.
// The shipped help's contents page, in the installation folder (the program's working folder),
// opened when the help of a topic cannot be shown.
inline constexpr const char* kOnlineHelpPage = "help/index.html";
inline constexpr const char* kNoBrowserMessage =
    "No web browser could be started to show the help. Its pages are in the folder \"help\" of the "
    "installation; open index.html there with a browser.";
inline constexpr const char* kHelpFileName = "vantorel.chm";
