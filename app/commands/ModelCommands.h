#pragma once

// The Data menu's model dialogs, run modally over the canvas view's document.

class CDrawView;

// The Import Model dialog over the view's document (its model path, the program's temporary
// files, the document's import); true when it ended with OK, the import then started.
bool RunImportModel(CDrawView& view);
// The Replace Data Selection dialog over the base movie's replaceable ranges; it offers the
// Import Model dialog when no model is loaded.
void RunReplaceData(CDrawView& view);
// Gives the view's Import Model and Replace Data Selection commands these dialogs.
void InstallModelCommands(CDrawView& view);
