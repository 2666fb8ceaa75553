#include "X11Presenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdlib>

#include "LICE_Bitmap.h"
#include "X11ErrorTrap.h"

namespace {

int ShiftOf(unsigned long mask) { return mask ? std::countr_zero(mask) : 0; }

}  // namespace

X11Presenter::X11Presenter(Display* display, Window window, Visual* visual, int depth, int width,
                           int height, int scale, bool allowShm)
    : mDisplay(display), mWindow(window), mWidth(width), mHeight(height), mScale(scale) {
  mShiftR = ShiftOf(visual->red_mask);
  mShiftG = ShiftOf(visual->green_mask);
  mShiftB = ShiftOf(visual->blue_mask);
  mGC = XCreateGC(display, window, 0, nullptr);
  if (allowShm && XShmQueryExtension(display)) MakeShmImage(visual, depth);
  if (!mImage) MakePlainImage(visual, depth);
}

X11Presenter::~X11Presenter() {
  if (mShmAttached) {
    XShmDetach(mDisplay, &mShm);
    XSync(mDisplay, False);
  }
  if (mImage) {
    if (mShm.shmaddr) {
      mImage->data = nullptr;
      shmdt(mShm.shmaddr);
    } else {
      free(mImage->data);
      mImage->data = nullptr;
    }
    XDestroyImage(mImage);
  }
  if (mGC) XFreeGC(mDisplay, mGC);
}

void X11Presenter::MakeShmImage(Visual* visual, int depth) {
  XImage* image =
      XShmCreateImage(mDisplay, visual, depth, ZPixmap, nullptr, &mShm, mWidth, mHeight);
  if (!image) return;
  if (image->bits_per_pixel != 32) {
    XDestroyImage(image);
    return;
  }
  mShm.shmid =
      shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * mHeight, IPC_CREAT | 0600);
  if (mShm.shmid < 0) {
    XDestroyImage(image);
    return;
  }
  void* address = shmat(mShm.shmid, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(mShm.shmid, IPC_RMID, nullptr);
    XDestroyImage(image);
    return;
  }
  mShm.shmaddr = image->data = static_cast<char*>(address);
  mShm.readOnly = False;
  bool attached;
  {
    // A server that cannot reach our memory (another machine, another IPC namespace) refuses
    // the attach with an error, which must not reach the host's handler.
    X11ErrorTrap trap(mDisplay);
    attached = XShmAttach(mDisplay, &mShm) && !trap.Sync();
  }
  // The segment goes away with the last detach, also if we die.
  shmctl(mShm.shmid, IPC_RMID, nullptr);
  if (!attached) {
    shmdt(mShm.shmaddr);
    mShm = {};
    image->data = nullptr;
    XDestroyImage(image);
    return;
  }
  mShmAttached = true;
  mImage = image;
}

void X11Presenter::MakePlainImage(Visual* visual, int depth) {
  char* data = static_cast<char*>(calloc(static_cast<size_t>(mWidth) * mHeight, 4));
  if (!data) return;
  mImage = XCreateImage(mDisplay, visual, depth, ZPixmap, 0, data, mWidth, mHeight, 32, 0);
  if (!mImage || mImage->bits_per_pixel != 32) {
    if (mImage)
      XDestroyImage(mImage);  // frees data too
    else
      free(data);
    mImage = nullptr;
  }
}

void X11Presenter::Convert(LICE_IBitmap* src, IRECT r, int srcOffsetX, int srcOffsetY) {
  if (!mImage || !src || !src->getBits()) return;
  // Clip to the source and to the image, both in source pixels.
  const int srcW = src->getWidth(), srcH = src->getHeight();
  r.L = std::max({r.L, srcOffsetX, 0});
  r.T = std::max({r.T, srcOffsetY, 0});
  r.R = std::min({r.R, srcOffsetX + srcW, mWidth / mScale});
  r.B = std::min({r.B, srcOffsetY + srcH, mHeight / mScale});
  if (r.R <= r.L || r.B <= r.T) return;
  const LICE_pixel* bits = src->getBits();
  const int span = src->getRowSpan();
  const int stride = mImage->bytes_per_line / 4;
  auto* out = reinterpret_cast<uint32_t*>(mImage->data);
  for (int y = r.T; y < r.B; ++y) {
    const LICE_pixel* row = bits + static_cast<size_t>(y - srcOffsetY) * span - srcOffsetX;
    for (int s = 0; s < mScale; ++s) {
      uint32_t* dest = out + static_cast<size_t>(y * mScale + s) * stride;
      for (int x = r.L; x < r.R; ++x) {
        const LICE_pixel p = row[x];
        const uint32_t word =
            LICE_GETR(p) << mShiftR | LICE_GETG(p) << mShiftG | LICE_GETB(p) << mShiftB;
        for (int k = 0; k < mScale; ++k) dest[x * mScale + k] = word;
      }
    }
  }
}

void X11Presenter::Send(IRECT r) {
  if (!mImage) return;
  const int x = std::max(r.L * mScale, 0), y = std::max(r.T * mScale, 0);
  const int right = std::min(r.R * mScale, mWidth), bottom = std::min(r.B * mScale, mHeight);
  if (right <= x || bottom <= y) return;
  const unsigned w = static_cast<unsigned>(right - x), h = static_cast<unsigned>(bottom - y);
  if (mShmAttached) {
    XShmPutImage(mDisplay, mWindow, mGC, mImage, x, y, x, y, w, h, False);
  } else {
    XPutImage(mDisplay, mWindow, mGC, mImage, x, y, x, y, w, h);
  }
}
