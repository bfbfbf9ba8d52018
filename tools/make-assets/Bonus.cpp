// tools/make-assets/Bonus.cpp — the energy crystal the player flies over to
// recharge.
//
// 39 frames of 50 x 50, drawn unrotated centred on the object: a green
// crystal turning once about its upright axis, with a glow that pulses twice
// per turn and sparks circling it.

#include <cmath>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Mesh.h"

namespace skyrend::assets {

namespace {

constexpr int BonusSize = 50;
constexpr int BonusFrames = 39;

// An elongated octahedron standing on its tip.
std::vector<Face> Crystal() {
    const Rgb facet{0.25, 0.95, 0.55};
    const Vec3 top{0, 14, 0}, bottom{0, -14, 0};
    std::vector<Face> faces;
    for (int k = 0; k < 4; ++k) {
        double a0 = k * M_PI / 2, a1 = (k + 1) * M_PI / 2;
        Vec3 p0{8.5 * std::cos(a0), 0, 8.5 * std::sin(a0)}, p1{8.5 * std::cos(a1), 0, 8.5 * std::sin(a1)};
        Vec3 mid = Normalise(p0 + p1);
        Rgb tint = Mix(facet, {0.55, 1.0, 0.95}, k % 2 ? 0.35 : 0.0);
        Face up = MakeFace({top, p0, p1}, mid + Vec3{0, 0.6, 0}, tint, 1.2);
        Face down = MakeFace({bottom, p0, p1}, mid + Vec3{0, -0.6, 0}, Scale(tint, 0.8), 1.2);
        up.Glow = down.Glow = 0.3;
        faces.push_back(up);
        faces.push_back(down);
    }
    return faces;
}

}  // namespace

std::vector<Picture> DrawBonusItems() {
    const std::vector<Face> crystal = Crystal();
    std::vector<Picture> items;
    for (int i = 0; i < BonusFrames; ++i) {
        double turn = 2 * M_PI * i / BonusFrames;
        double pulse = 0.5 + 0.5 * std::cos(2 * turn);
        Canvas c(BonusSize, BonusSize);
        cairo_t* cr = c.Cr();
        const double cx = 25, cy = 25;
        Glow(cr, cx, cy, 16 + 6 * pulse, {0.15, 0.9, 0.5}, 0.35 + 0.25 * pulse, 1.8);
        // Orbiting sparks behind the crystal first, then the crystal, then
        // those in front.
        auto sparks = [&](bool front) {
            cairo_save(cr);
            cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
            for (int k = 0; k < 3; ++k) {
                double a = -turn * 2 + k * 2 * M_PI / 3;
                bool inFront = std::sin(a) > 0;
                if (inFront != front) continue;
                double x = cx + 16 * std::cos(a), y = cy + 5 * std::sin(a) + 2;
                Glow(cr, x, y, 3.0, {0.7, 1.0, 0.8}, 0.9, 1.2);
            }
            cairo_restore(cr);
        };
        sparks(false);
        View view;
        view.CentreX = cx;
        view.CentreY = cy;
        view.Roll = turn;
        view.Pitch = -0.35;
        view.Distance = 100;
        RenderMesh(cr, crystal, view);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        Glow(cr, cx, cy - 3, 4 + 2 * pulse, {0.8, 1.0, 0.9}, 0.5 + 0.3 * pulse, 1.2);
        cairo_restore(cr);
        sparks(true);
        items.push_back(c.ToPicture());
    }
    return items;
}

}  // namespace skyrend::assets
