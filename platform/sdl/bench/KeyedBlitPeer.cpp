// platform/sdl/bench/KeyedBlitPeer.cpp — SDL2's colour-keyed blit over
// pixels the caller owns.

#include <SDL.h>

#include "platform/sdl/bench/BenchPeers.h"

namespace skyrend::platform::bench {

namespace {

// An SDL surface over 0x00RRGGBB pixels: the format without alpha, so that a
// keyed blit between two of them is a plain keyed copy.
SDL_Surface* WrapPixels(const PixelView& view) {
    if (!view.pixels || view.width <= 0 || view.height <= 0) return nullptr;
    return SDL_CreateRGBSurfaceWithFormatFrom(view.pixels, view.width, view.height, 32, view.pitch * 4,
                                              SDL_PIXELFORMAT_RGB888);
}

}  // namespace

struct KeyedBlitPeer::Impl {
    SDL_Surface* source = nullptr;
    SDL_Surface* dest = nullptr;
    ~Impl() {
        SDL_FreeSurface(source);
        SDL_FreeSurface(dest);
    }
};

KeyedBlitPeer::KeyedBlitPeer(const PixelView& source, const PixelView& dest, uint32_t key)
    : impl_(std::make_unique<Impl>()) {
    impl_->source = WrapPixels(source);
    impl_->dest = WrapPixels(dest);
    if (!Ready()) return;
    SDL_SetColorKey(impl_->source, SDL_TRUE, key);
    SDL_SetSurfaceBlendMode(impl_->source, SDL_BLENDMODE_NONE);
}

KeyedBlitPeer::~KeyedBlitPeer() = default;

bool KeyedBlitPeer::Ready() const { return impl_->source && impl_->dest; }

void KeyedBlitPeer::Blit(const Rect& from, int x, int y) {
    SDL_Rect src{from.left, from.top, from.Width(), from.Height()};
    SDL_Rect dst{x, y, 0, 0};
    SDL_BlitSurface(impl_->source, &src, impl_->dest, &dst);
}

}  // namespace skyrend::platform::bench
