#pragma once

#include <windows.h>

#include <string>

// Checks a running dialog of Varnik.exe against its compiled template, read from the executable:
// what the template says is checked once, in the resource check; here, that the running window is
// what the dialog manager makes of it at this DPI.

constexpr WORD kMainDialogTemplate = 102;
constexpr WORD kAboutBoxTemplate = 100;

// The window's caption, style and extended style are its template's; its client area is the
// template's size in dialog units of the template's font (one pixel of rounding allowed); every
// child that a user sees, in order, has its template item's class, id, text, position (in pixels
// through the dialog's own pixels-per-dialog-unit scale, one pixel allowed) and styles. An edit
// field's text is the program's, not the template's, and is left to the tests; an icon's static
// shows an icon.
void expectFollowsItsTemplate(HWND dialog, WORD templateId);

// The caption of a template, and a string of the string table, as Varnik.exe holds them.
std::wstring compiledCaptionOf(WORD templateId);
std::wstring compiledStringOf(UINT id);
