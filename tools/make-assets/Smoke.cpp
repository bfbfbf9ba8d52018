// tools/make-assets/Smoke.cpp — the exhaust puffs a thrusting ship leaves.
//
// Drawn rotated at 10 x 10, so the seven frames are 10 x 10: a small warm
// puff that swells into a thin grey cloud and fades into the dark.

#include <cmath>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Noise.h"

namespace skyrend::assets {

std::vector<Picture> DrawSmokeItems() {
    constexpr int Size = 10, Frames = 7;
    std::vector<Picture> items;
    for (int i = 0; i < Frames; ++i) {
        double t = static_cast<double>(i) / (Frames - 1);
        Canvas c(Size, Size);
        cairo_t* cr = c.Cr();
        Rng rng(0x5A0C0 + i);
        double radius = 2.6 + 2.4 * t;
        double light = 0.95 - 0.55 * t;
        // Young puffs still glow a little from the engine.
        Rgb tone = Mix({0.95, 0.80, 0.60}, {0.62, 0.64, 0.68}, std::min(1.0, t * 2.5));
        for (int k = 0; k < 5; ++k) {
            double a = rng.Range(0, 2 * M_PI), d = rng.Range(0, radius * 0.45);
            double r = radius * rng.Range(0.55, 0.8);
            Glow(cr, 5 + d * std::cos(a), 5 + d * std::sin(a), r, Scale(tone, light), 0.75 - 0.25 * t, 1.3);
        }
        Glow(cr, 5, 5, radius * 0.6, Scale(tone, light * 1.1), 0.6 - 0.3 * t, 1.0);
        items.push_back(c.ToPicture());
    }
    return items;
}

}  // namespace skyrend::assets
