#pragma once

#include "Afx.h"

// Makes an input field take coordinates as users have them: a pasted coordinate in any common
// form fills the group's fields with plain decimals (see PastedCoordinates.h), and full-width
// digits, signs and full stops typed by an input method arrive as ASCII. Everything else, and
// text set by the program, reaches the field as it is.
void takeCoordinatesAsUsersHaveThem(CWnd field);
