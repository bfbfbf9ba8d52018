// media/SpriteDraw.h — the software sprite renderer: colour-keyed rectangle
// copies, the 16.16 fixed-point rotating rasteriser, stretched and waved
// copies, and the additive, alpha-blended and subtractive forms of them.
//
// Every routine works on one source rectangle of a source surface and draws
// into a destination surface, clipped to it. With `transparent`, source
// pixels equal to the source surface's colour key are left out. Nothing is
// drawn into a surface whose canvas holds it.

#pragma once

#include <array>
#include <cstdint>

#include "media/Surface.h"
#include "platform/Platform.h"

namespace skyrend {

// cos(i * 2 * pi / 256) for i = 0 .. 255; angles are integers in 1/256 turns.
const std::array<double, 256>& AngleTable();
inline double Cos256(int64_t a) { return AngleTable()[static_cast<size_t>(a & 255)]; }
inline double Sin256(int64_t a) { return AngleTable()[static_cast<size_t>((a + 192) & 255)]; }

// The rotated rasteriser's angle: the float rounded to the nearest integer
// (ties to even), reduced to 0 .. 255. False for a NaN or an infinity.
bool RoundAngle(float angle, int32_t& rounded);

// How a drawn pixel meets the destination pixel. Alpha is 0 .. 255.
enum class TBlendKind { Copy, Additive, AlphaBlended, Subtractive };
struct TBlend {
    TBlendKind Kind = TBlendKind::Copy;
    int32_t Alpha = 255;
};

// The source pixels of a sprite: a rectangle of a surface and whether the
// surface's colour key is left out.
struct TSpriteSource {
    const TDirectDrawSurface* Surface = nullptr;
    platform::Rect Rect;
    bool Transparent = true;
};

// Copies the source rectangle unscaled with its top-left at (x, y): clipped
// against the destination, then against the source surface, moving the edges
// of both rectangles together.
void DrawSprite(TDirectDrawSurface& dest, int32_t x, int32_t y, const TSpriteSource& source,
                TBlend blend = {});

// The source scaled to width x height, turned clockwise by `angle` 1/256
// turns about the pivot (centerX * width, centerY * height), the pivot placed
// at (x, y). Fixed point 16.16, nearest pixel.
void DrawSpriteRotated(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                       const TSpriteSource& source, double centerX, double centerY, int32_t angle,
                       TBlend blend = {});

// The source scaled into destRect, nearest pixel. An empty or inverted
// rectangle draws nothing.
void DrawSpriteStretched(TDirectDrawSurface& dest, const platform::Rect& destRect,
                         const TSpriteSource& source, TBlend blend = {});

// The source scaled into (x, y, width, height), row r of the rectangle moved
// sideways by Trunc(amplitude * Sin256(phase + r * 256 div length)) pixels.
// A length of zero or less leaves the rows in place.
void DrawSpriteWaved(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                     const TSpriteSource& source, int32_t amplitude, int32_t length, int32_t phase,
                     TBlend blend = {});

}  // namespace skyrend
