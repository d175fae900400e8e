#pragma once

// Our own small dialog framework over the Win32 API, in the shape of MFC's classes: only what
// the program uses. Windows are Unicode; the narrow text operations use the ANSI code page.
#include "Application.h"
#include "Dialog.h"
#include "Edit.h"
#include "Menu.h"
#include "MessageMap.h"
#include "PaintContext.h"
#include "Text.h"
#include "Win32.h"
#include "Window.h"
