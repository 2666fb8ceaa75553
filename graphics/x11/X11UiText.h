// Text and the drawing lock for what the X11 view draws itself (popup menus, the value entry).
//
// Every open editor draws on a thread of its own, and the engine's font cache hands the same
// font to every editor in the process, while a font may draw on one thread at a time (its
// glyph cache is its own). So every drawing pass of an editor (the engine's Draw included)
// holds UiDrawLock(), which serialises the editors of all instances in the process. It is held
// for one pass at a time, never across waiting.
#pragma once

#include <memory>
#include <mutex>

#include "LICE_CachedFont.h"

std::recursive_mutex& UiDrawLock();

// A glyph-cached font of about pixelHeight pixels per line, from the named face (a monospace
// stand-in when it is missing); null when no font at all can be loaded.
std::unique_ptr<LICE_CachedFont> MakeUiFont(int pixelHeight, const char* face, bool bold);

// Width in pixels of the first length bytes of text.
int UiTextWidth(LICE_CachedFont* font, const char* text, int length);
