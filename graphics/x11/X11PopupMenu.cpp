#include "X11PopupMenu.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "LICE.h"
#include "LICE_Platform.h"
#include "X11EditorWindow.h"
#include "X11ErrorTrap.h"
#include "X11Presenter.h"
#include "X11UiText.h"
#include "graphics/IPopupMenu.h"

namespace x11popup {
namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kSideSpace = 22;  // tick on the left, submenu arrow on the right
constexpr int kMinWidth = 80;
constexpr int kFontHeight = 13;
constexpr int kHoldToChooseMs = 300;
constexpr long kMenuEvents =
    ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool Choosable(IPopupMenuItem* item) {
  return item && item->GetEnabled() && !item->GetIsSeparator() && !item->GetIsTitle();
}

// One shown level: its model, window, layout (editor pixels) and image.
struct Level {
  IPopupMenu* model = nullptr;
  Window window = 0;
  int rootX = 0, rootY = 0;   // screen pixels
  int width = 0, height = 0;  // editor pixels
  std::vector<int> tops;      // top of each item, plus the bottom of the last
  int highlighted = -1;
  std::unique_ptr<LICE_MemBitmap> bitmap;
  std::unique_ptr<X11Presenter> presenter;

  int ItemAt(int x, int y, int scale) const {
    const int lx = (x - rootX) / scale, ly = (y - rootY) / scale;
    if (x < rootX || y < rootY || lx >= width || ly >= height) return -1;
    for (size_t i = 0; i + 1 < tops.size(); ++i) {
      if (ly >= tops[i] && ly < tops[i + 1]) return static_cast<int>(i);
    }
    return -1;
  }
  bool Contains(int x, int y, int scale) const {
    return x >= rootX && y >= rootY && x < rootX + width * scale && y < rootY + height * scale;
  }
};

class MenuSession {
 public:
  MenuSession(X11EditorWindow& owner, int rootX, int rootY) : mOwner(owner) {
    mDisplay = owner.GetDisplay();
    mScale = owner.Scale();
    mScreen = DefaultScreen(mDisplay);
    mFont = MakeUiFont(kFontHeight, "DejaVu Sans", false);
    mTitleFont = MakeUiFont(kFontHeight, "DejaVu Sans", true);
    mStartX = rootX;
    mStartY = rootY;
  }
  ~MenuSession() {
    XUngrabPointer(mDisplay, CurrentTime);
    XUngrabKeyboard(mDisplay, CurrentTime);
    while (!mLevels.empty()) CloseLevel();
  }

  void Open(IPopupMenu* menu) {
    OpenLevel(menu, mStartX, mStartY);
    const Window grabWindow = mLevels[0]->window;
    XGrabPointer(mDisplay, grabWindow, True,
                 ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                 GrabModeAsync, None, None, CurrentTime);
    XGrabKeyboard(mDisplay, grabWindow, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    mOpenedAt = NowMs();
  }

  IPopupMenu* Loop() {
    const int64_t period = 40;
    int64_t nextFrame = NowMs() + period;
    while (!mDone && !mOwner.StopRequested()) {
      {
        X11ErrorTrap trap(mDisplay);
        while (!mDone && XPending(mDisplay) > 0) {
          XEvent event;
          XNextEvent(mDisplay, &event);
          Handle(event);
        }
        if (NowMs() >= nextFrame) {
          mOwner.Frame();
          nextFrame = NowMs() + period;
        }
        XFlush(mDisplay);
      }
      if (!mDone) mOwner.WaitForInput(static_cast<int>(nextFrame - NowMs()));
    }
    return mChosen;
  }

 private:
  void OpenLevel(IPopupMenu* model, int rootX, int rootY) {
    auto level = std::make_unique<Level>();
    level->model = model;
    int y = 1, textWidth = 0;
    for (int i = 0; i < model->GetNItems(); ++i) {
      level->tops.push_back(y);
      IPopupMenuItem* item = model->GetItem(i);
      y += item->GetIsSeparator() ? kSeparatorHeight : kItemHeight;
      const std::string text = model->GetDisplayText(i);
      LICE_CachedFont* font = item->GetIsTitle() ? mTitleFont.get() : mFont.get();
      textWidth = std::max(textWidth, UiTextWidth(font, text.c_str(), int(text.size())));
    }
    level->tops.push_back(y);
    level->width = std::max(textWidth + 2 * kSideSpace, kMinWidth);
    level->height = y + 1;
    // Keep the whole level on the screen.
    const int screenW = DisplayWidth(mDisplay, mScreen), screenH = DisplayHeight(mDisplay, mScreen);
    const int w = level->width * mScale, h = level->height * mScale;
    level->rootX = std::clamp(rootX, 0, std::max(screenW - w, 0));
    level->rootY = std::clamp(rootY, 0, std::max(screenH - h, 0));

    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.event_mask = kMenuEvents;
    attributes.colormap = DefaultColormap(mDisplay, mScreen);
    attributes.border_pixel = 0;
    Visual* visual = DefaultVisual(mDisplay, mScreen);
    const int depth = DefaultDepth(mDisplay, mScreen);
    level->window = XCreateWindow(
        mDisplay, RootWindow(mDisplay, mScreen), level->rootX, level->rootY,
        static_cast<unsigned>(w), static_cast<unsigned>(h), 0, depth, InputOutput, visual,
        CWOverrideRedirect | CWSaveUnder | CWEventMask | CWColormap | CWBorderPixel, &attributes);
    level->bitmap = std::make_unique<LICE_MemBitmap>(level->width, level->height);
    level->presenter =
        std::make_unique<X11Presenter>(mDisplay, level->window, visual, depth, w, h, mScale, false);
    XMapRaised(mDisplay, level->window);
    mLevels.push_back(std::move(level));
    Render(*mLevels.back());
  }

  void CloseLevel() {
    XDestroyWindow(mDisplay, mLevels.back()->window);
    mLevels.pop_back();
  }

  void Render(Level& level) {
    LICE_MemBitmap* bmp = level.bitmap.get();
    std::lock_guard lock(UiDrawLock());
    LICE_FillRect(bmp, 0, 0, level.width, level.height, LICE_ARGB(255, 242, 242, 242), 1.0f,
                  LICE_BLIT_MODE_COPY);
    const LICE_pixel frame = LICE_ARGB(255, 120, 120, 120);
    LICE_Line(bmp, 0, 0, level.width - 1, 0, frame, 1.0f, 0, false);
    LICE_Line(bmp, 0, level.height - 1, level.width - 1, level.height - 1, frame, 1.0f, 0, false);
    LICE_Line(bmp, 0, 0, 0, level.height - 1, frame, 1.0f, 0, false);
    LICE_Line(bmp, level.width - 1, 0, level.width - 1, level.height - 1, frame, 1.0f, 0, false);
    for (int i = 0; i < level.model->GetNItems(); ++i) {
      IPopupMenuItem* item = level.model->GetItem(i);
      const int top = level.tops[i], bottom = level.tops[i + 1];
      if (item->GetIsSeparator()) {
        const int y = (top + bottom) / 2;
        LICE_Line(bmp, 4, y, level.width - 5, y, LICE_ARGB(255, 190, 190, 190), 1.0f, 0, false);
        continue;
      }
      const bool lit = i == level.highlighted && Choosable(item);
      const bool litSubmenu = i == level.highlighted && item->mSubmenu && item->GetEnabled();
      if (lit || litSubmenu) {
        LICE_FillRect(bmp, 1, top, level.width - 2, bottom - top, LICE_ARGB(255, 60, 110, 200),
                      1.0f, LICE_BLIT_MODE_COPY);
      }
      LICE_pixel ink = LICE_ARGB(255, 20, 20, 20);
      if (!item->GetEnabled()) ink = LICE_ARGB(255, 150, 150, 150);
      if (item->GetIsTitle()) ink = LICE_ARGB(255, 80, 80, 80);
      if (lit || litSubmenu) ink = LICE_ARGB(255, 255, 255, 255);
      LICE_CachedFont* font = item->GetIsTitle() ? mTitleFont.get() : mFont.get();
      if (font) {
        const std::string text = level.model->GetDisplayText(i);
        font->SetTextColor(ink);
        RECT r{kSideSpace, top, level.width - kSideSpace, bottom};
        font->DrawText(
            bmp, text.c_str(), int(text.size()), &r,
            LICE_DT_SINGLELINE | LICE_DT_VCENTER | LICE_DT_NOPREFIX | LICE_DT_USEFGALPHA);
      }
      const int mid = (top + bottom) / 2;
      if (item->GetChecked()) {
        LICE_Line(bmp, 6, mid, 9, mid + 3, ink, 1.0f, 0, true);
        LICE_Line(bmp, 9, mid + 3, 15, mid - 4, ink, 1.0f, 0, true);
      }
      if (item->mSubmenu) {
        const int x = level.width - 14;
        LICE_FillTriangle(bmp, x, mid - 4, x, mid + 4, x + 5, mid, ink, 1.0f, 0);
      }
    }
    level.presenter->Convert(bmp, IRECT(0, 0, level.width, level.height));
    level.presenter->Send(IRECT(0, 0, level.width, level.height));
  }

  // The deepest level containing the point, or -1.
  int LevelAt(int x, int y) const {
    for (int i = int(mLevels.size()) - 1; i >= 0; --i) {
      if (mLevels[i]->Contains(x, y, mScale)) return i;
    }
    return -1;
  }

  bool IsMenuWindow(Window w) const {
    return std::any_of(mLevels.begin(), mLevels.end(),
                       [w](const auto& level) { return level->window == w; });
  }

  void Highlight(int levelIdx, int item) {
    Level& level = *mLevels[levelIdx];
    while (int(mLevels.size()) > levelIdx + 1) {
      // Moving within a level closes the submenus of its other items.
      if (item == level.highlighted && level.model->GetItem(item) &&
          mLevels[levelIdx + 1]->model == level.model->GetItem(item)->mSubmenu) {
        break;
      }
      CloseLevel();
    }
    if (item != level.highlighted) {
      level.highlighted = item;
      Render(level);
    }
  }

  void OpenSubmenu(int levelIdx, bool highlightFirst) {
    Level& level = *mLevels[levelIdx];
    IPopupMenuItem* item = level.model->GetItem(level.highlighted);
    if (!item || !item->mSubmenu || !item->GetEnabled()) return;
    if (int(mLevels.size()) > levelIdx + 1) return;  // already open
    OpenLevel(item->mSubmenu, level.rootX + (level.width - 2) * mScale,
              level.rootY + (level.tops[level.highlighted] - 1) * mScale);
    if (highlightFirst) MoveHighlight(1);
  }

  void Choose(int levelIdx, int item) {
    Level& level = *mLevels[levelIdx];
    if (!Choosable(level.model->GetItem(item)) || level.model->GetItem(item)->mSubmenu) return;
    level.model->SetChosenItemIdx(item);
    mChosen = level.model;
    mDone = true;
  }

  void MoveHighlight(int step) {
    Level& level = *mLevels.back();
    const int n = level.model->GetNItems();
    int i = level.highlighted;
    for (int tries = 0; tries < n; ++tries) {
      i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
      IPopupMenuItem* item = level.model->GetItem(i);
      if (Choosable(item) || (item->mSubmenu && item->GetEnabled())) {
        Highlight(int(mLevels.size()) - 1, i);
        return;
      }
    }
  }

  void Handle(XEvent& event) {
    const bool mine = IsMenuWindow(event.xany.window);
    switch (event.type) {
      case Expose:
        if (mine) {
          for (auto& level : mLevels) {
            if (level->window == event.xexpose.window) Render(*level);
          }
        } else {
          mOwner.HandleEventDuringMenu(event);
        }
        break;
      case MotionNotify: {
        const int x = event.xmotion.x_root, y = event.xmotion.y_root;
        const int levelIdx = LevelAt(x, y);
        if (levelIdx < 0) break;
        const int item = mLevels[levelIdx]->ItemAt(x, y, mScale);
        if (item < 0) break;
        Highlight(levelIdx, item);
        OpenSubmenu(levelIdx, false);
        break;
      }
      case ButtonPress: {
        if (event.xbutton.button == Button4 || event.xbutton.button == Button5) break;
        if (LevelAt(event.xbutton.x_root, event.xbutton.y_root) < 0) {
          mDone = true;  // a press outside dismisses
          if (!mine) mOwner.HandleEventDuringMenu(event);
        } else {
          mPressedInside = true;
        }
        break;
      }
      case ButtonRelease: {
        if (!mine) mOwner.HandleEventDuringMenu(event);
        const int x = event.xbutton.x_root, y = event.xbutton.y_root;
        const int levelIdx = LevelAt(x, y);
        if (levelIdx < 0) break;
        if (!mPressedInside && NowMs() - mOpenedAt < kHoldToChooseMs) break;
        const int item = mLevels[levelIdx]->ItemAt(x, y, mScale);
        if (item >= 0) Choose(levelIdx, item);
        break;
      }
      case KeyPress:
        HandleKey(event.xkey);
        break;
      default:
        if (!mine) mOwner.HandleEventDuringMenu(event);
        break;
    }
  }

  void HandleKey(XKeyEvent& event) {
    const KeySym key = XLookupKeysym(&event, 0);
    const int deepest = int(mLevels.size()) - 1;
    switch (key) {
      case XK_Escape:
        if (deepest > 0) {
          CloseLevel();
        } else {
          mDone = true;
        }
        break;
      case XK_Up:
      case XK_KP_Up:
        MoveHighlight(-1);
        break;
      case XK_Down:
      case XK_KP_Down:
        MoveHighlight(1);
        break;
      case XK_Left:
      case XK_KP_Left:
        if (deepest > 0) CloseLevel();
        break;
      case XK_Right:
      case XK_KP_Right:
        OpenSubmenu(deepest, true);
        break;
      case XK_Return:
      case XK_KP_Enter:
      case XK_space: {
        Level& level = *mLevels[deepest];
        IPopupMenuItem* item = level.model->GetItem(level.highlighted);
        if (item && item->mSubmenu) {
          OpenSubmenu(deepest, true);
        } else if (level.highlighted >= 0) {
          Choose(deepest, level.highlighted);
        }
        break;
      }
      default:
        break;
    }
  }

  X11EditorWindow& mOwner;
  Display* mDisplay;
  int mScale;
  int mScreen;
  int mStartX, mStartY;
  std::unique_ptr<LICE_CachedFont> mFont, mTitleFont;
  std::vector<std::unique_ptr<Level>> mLevels;
  IPopupMenu* mChosen = nullptr;
  bool mDone = false;
  bool mPressedInside = false;
  int64_t mOpenedAt = 0;
};

}  // namespace

IPopupMenu* Run(X11EditorWindow& owner, IPopupMenu* menu, int rootX, int rootY) {
  if (!menu || menu->GetNItems() == 0) return nullptr;
  std::unique_ptr<MenuSession> session;
  {
    X11ErrorTrap trap(owner.GetDisplay());
    session = std::make_unique<MenuSession>(owner, rootX, rootY);
    session->Open(menu);
  }
  // Each pass of the loop has a trap of its own.
  IPopupMenu* chosen = session->Loop();
  X11ErrorTrap trap(owner.GetDisplay());
  session.reset();
  return chosen;
}

}  // namespace x11popup
