// The popup menu of the X11 view: override-redirect windows on the root, drawn with the raster
// library, one per open level (the menu and any submenus shown from it).
//
// Items show the model's display text (numbering prefix included); separators are lines,
// titles are bold and cannot be chosen, disabled items are grey, checked items carry a tick,
// items with a submenu an arrow. The pointer chooses by release over an item (after a press
// inside the menu, or after the press that opened it was held for a moment); moving over an
// item with a submenu opens it. Keys: Up and Down move, Right or Enter opens a submenu,
// Left closes one, Enter or Space chooses, Escape closes the innermost level or the menu. A
// press outside every level dismisses the menu. The menu grabs pointer and keyboard while it
// is open so that it sees those presses and keys.
//
// Run is modal on the editor thread: while it runs, the editor keeps drawing its frames, and
// a stop request (the host closing the editor) dismisses the menu. Every window of the menu is
// destroyed before Run returns.
#pragma once

#include <X11/Xlib.h>

class IPopupMenu;
class X11EditorWindow;

namespace x11popup {

// Shows the menu with its top-left corner at (rootX, rootY) in screen pixels. Returns the menu
// (the model itself, or the submenu the item was chosen from) with its chosen index set, or
// null when dismissed.
IPopupMenu* Run(X11EditorWindow& owner, IPopupMenu* menu, int rootX, int rootY);

}  // namespace x11popup
