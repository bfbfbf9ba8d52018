// platform/sdl/bench/BenchPeers.h — SDL's own drawing, for the benchmarks to
// set beside the game's software renderer: SDL2's colour-keyed
// SDL_BlitSurface, and SDL2_gfx's rotozoomSurface followed by a colour-keyed
// blit of its result.
//
// The peers draw the caller's pixels into the caller's pixels (32-bit,
// 0x00RRGGBB, as the game's surfaces hold them) through SDL surfaces made
// once over that memory, so that a draw costs what SDL's blitter costs and
// nothing else. No SDL type shows here: the benchmarks stay outside the SDL
// back-end.

#pragma once

#include <cstdint>
#include <memory>

#include "platform/Platform.h"

namespace skyrend::platform::bench {

// SDL_BlitSurface from a source buffer to a destination buffer, with
// SDL_SetColorKey on the source.
class KeyedBlitPeer {
public:
    KeyedBlitPeer(const PixelView& source, const PixelView& dest, uint32_t key);
    ~KeyedBlitPeer();
    KeyedBlitPeer(const KeyedBlitPeer&) = delete;
    KeyedBlitPeer& operator=(const KeyedBlitPeer&) = delete;

    // False when SDL could not make the surfaces.
    bool Ready() const;
    // Copies the source rectangle `from` with its top-left at (x, y), clipped
    // by SDL against the destination.
    void Blit(const Rect& from, int x, int y);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// rotozoomSurface of a sprite (nearest pixel, no zoom), then SDL_BlitSurface
// of the rotated copy with the sprite's colour key, centred on (x, y). Every
// draw makes and frees the rotated surface, as SDL2_gfx's interface demands.
// Built only with SDL2_gfx (SKYREND_HAVE_SDL2GFX in the benchmarks).
class RotozoomPeer {
public:
    RotozoomPeer(const PixelView& sprite, const PixelView& dest, uint32_t key);
    ~RotozoomPeer();
    RotozoomPeer(const RotozoomPeer&) = delete;
    RotozoomPeer& operator=(const RotozoomPeer&) = delete;

    bool Ready() const;
    // Turns the sprite clockwise on the screen by `degrees`.
    void Draw(int x, int y, double degrees);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace skyrend::platform::bench
