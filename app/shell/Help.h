#pragma once

// The help entry points: the help file by topic, and the table that turns a command or
// dialog id into the help topic that describes it.

#include <cstdint>

#include "platform/window/Messages.h"

// Shows the help file with a command (HH_DISPLAY_TOPIC, HH_HELP_CONTEXT) and its data; the
// help window, or null when no help viewer could show it.
HWND CallHtmlHelp(HWND owner, const char* helpFile, UINT command, std::uintptr_t data);

// The help topic of a command or dialog id, or -1.
int FindHelpContext(UINT id);

struct HelpContextEntry {
    UINT id;
    int topic;
};
// The table, front to back (the first match wins).
const HelpContextEntry* HelpContextTable(int* count);
