#pragma once

#include <windows.h>

#include <vector>

// Checks a live dialog against what its template says: size, control order, classes, ids, texts,
// positions and styles. Positions are compared in pixels with a tolerance of one, through the
// dialog's own pixels-per-dialog-unit scale (MapDialogRect does not work across processes).

struct DialogUnits {
    int x;
    int y;
};

// Dialog base units of a template font as the dialog manager derives them: the average width of
// the Latin letters and the height of the font. A dialog unit is a quarter of the first and an
// eighth of the second.
DialogUnits dialogBaseUnits(const wchar_t* face, int points);

enum class ControlKind {
    GroupBox,
    Edit,
    PushButton,
    DefaultPushButton,
    Text,         // left-aligned static text that starts a group
    TextNoPrefix, // the same, without & processing
    Icon,         // a static that shows an icon (it sizes itself to the icon)
};

struct ExpectedControl {
    ControlKind kind;
    int id;
    const wchar_t* text;          // null: any text that is not empty
    int left, top, width, height; // dialog units
};

// A visible popup with a caption, a system menu and a modal frame; no minimise or maximise box and
// no sizing border.
void expectFixedModalFrame(HWND dialog);

// The dialog's client area is templateSize dialog units of the given base units (one pixel of
// rounding allowed).
void expectClientSize(HWND dialog, SIZE templateSize, DialogUnits baseUnits);

// Every child that a user sees, in order, is the expected control.
void expectControls(HWND dialog, SIZE templateSize, const std::vector<ExpectedControl>& expected);
