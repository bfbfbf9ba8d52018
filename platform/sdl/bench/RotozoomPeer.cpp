// platform/sdl/bench/RotozoomPeer.cpp — SDL2_gfx's rotozoomSurface and a
// colour-keyed blit of its result. Built only when SDL2_gfx is found.

#include <SDL.h>
#include <SDL2_rotozoom.h>

#include "platform/sdl/bench/BenchPeers.h"

namespace skyrend::platform::bench {

struct RotozoomPeer::Impl {
    SDL_Surface* sprite = nullptr;
    SDL_Surface* dest = nullptr;
    uint32_t key = 0;
    ~Impl() {
        SDL_FreeSurface(sprite);
        SDL_FreeSurface(dest);
    }
};

RotozoomPeer::RotozoomPeer(const PixelView& sprite, const PixelView& dest, uint32_t key)
    : impl_(std::make_unique<Impl>()) {
    impl_->key = key;
    if (sprite.pixels && sprite.width > 0 && sprite.height > 0)
        impl_->sprite = SDL_CreateRGBSurfaceWithFormatFrom(sprite.pixels, sprite.width, sprite.height, 32,
                                                           sprite.pitch * 4, SDL_PIXELFORMAT_RGB888);
    if (dest.pixels && dest.width > 0 && dest.height > 0)
        impl_->dest = SDL_CreateRGBSurfaceWithFormatFrom(dest.pixels, dest.width, dest.height, 32,
                                                         dest.pitch * 4, SDL_PIXELFORMAT_RGB888);
    if (impl_->sprite) SDL_SetColorKey(impl_->sprite, SDL_TRUE, key);
}

RotozoomPeer::~RotozoomPeer() = default;

bool RotozoomPeer::Ready() const { return impl_->sprite && impl_->dest; }

void RotozoomPeer::Draw(int x, int y, double degrees) {
    // rotozoomSurface turns counter-clockwise for positive angles. The
    // corners it uncovers stay zero, which is the game's colour key.
    SDL_Surface* turned = rotozoomSurface(impl_->sprite, -degrees, 1.0, SMOOTHING_OFF);
    if (!turned) return;
    SDL_SetColorKey(turned, SDL_TRUE, impl_->key);
    SDL_SetSurfaceBlendMode(turned, SDL_BLENDMODE_NONE);
    SDL_Rect dst{x - turned->w / 2, y - turned->h / 2, 0, 0};
    SDL_BlitSurface(turned, nullptr, impl_->dest, &dst);
    SDL_FreeSurface(turned);
}

}  // namespace skyrend::platform::bench
