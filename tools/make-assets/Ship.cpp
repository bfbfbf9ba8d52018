// tools/make-assets/Ship.cpp — the player's fighter in 41 banking poses.
//
// The game draws the ship unrotated with its centre on the screen centre,
// nose up; item 20 flies level, lower items roll ever harder to the left,
// higher ones to the right. The poses come from one small 3-D model rolled
// about its length axis, so the wings foreshorten, the fins lean and the
// light slides across the hull as it banks.

#include <cmath>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Models.h"

namespace skyrend::assets {

namespace {

constexpr int ShipWidth = 68, ShipHeight = 50;
constexpr double MaxRoll = 58.0 * M_PI / 180.0;

const Rgb Hull{0.74, 0.78, 0.84};
const Rgb Wing{0.50, 0.56, 0.66};
const Rgb Accent{0.95, 0.45, 0.12};
const Rgb Glass{0.10, 0.22, 0.42};
const Rgb Nacelle{0.40, 0.44, 0.52};

std::vector<Face> FighterModel() {
    std::vector<Face> faces;
    AddFuselage(faces, {{23, 1.6, 0.4, 0.6}, {14, 4.4, 3.2, 1.2}, {4, 6.0, 5.0, 1.6}, {-8, 5.2, 5.6, 1.6},
                        {-18, 3.6, 4.6, 1.2}},
                Hull);

    // Swept wings with a stripe along the leading edge.
    AddStripedWings(faces, {{-4.5, 6, 1.0}, {-29, -9, 0.2}, {-31, -15, 0.2}, {-5, -15, 1.0}},
                    {{-5.0, 3.6, 1.0}, {-27.6, -10.0, 0.2}, {-28.2, -12.0, 0.2}, {-5.0, 0.4, 1.0}}, Wing, Accent);

    // Wing-tip cannons: thin boxes along the tips.
    AddBox(faces, {-31.6, -16, -0.6}, {-29.6, -1, 1.4}, Nacelle, 0.7);

    // Engine nacelles beside the fuselage.
    const double nx = -8.5, nw = 2.8;
    Vec3 r0{nx, 3, 4.8}, r1{nx, -19, 4.4};
    Vec3 o0{nx - nw, 2, 2.0}, o1{nx - nw, -19, 2.0}, i0{nx + nw, 2, 2.2}, i1{nx + nw, -19, 2.2};
    AddMirrored(faces, MakeFace({r0, r1, o1, o0}, {-1, 0, 1}, Nacelle, 0.6));
    AddMirrored(faces, MakeFace({r0, i0, i1, r1}, {1, 0, 1}, Nacelle, 0.6));
    AddMirrored(faces, MakeFace({o0, o1, {nx - nw, -19, -1.5}, {nx - nw, 2, -1.5}}, {-1, 0, 0}, Scale(Nacelle, 0.7)));
    AddMirrored(faces, MakeFace({r0, o0, i0}, {0, 1, 0.5}, Scale(Nacelle, 0.9)));
    Face port = MakeFace({r1, o1, {nx, -19, -1.0}, i1}, {0, -1, 0}, {0.35, 0.75, 1.0}, 0.0);
    port.Glow = 0.9;
    AddMirrored(faces, port);

    // Twin tail fins leaning outwards.
    Face fin = MakeFace({{-4.2, -9, 4.6}, {-4.2, -18, 3.8}, {-8.0, -20, 10.5}, {-7.4, -14.5, 10.8}}, {-1, 0, 0.3},
                    Scale(Hull, 0.9), 0.5);
    fin.TwoSided = true;
    AddMirrored(faces, fin);

    // Canopy.
    AddCanopy(faces, {{0, 14.5, 5.0}, {0, 0.5, 7.0}, {-2.9, 2.5, 5.6}, {-2.6, 10.5, 4.3}}, Glass, 1.2);
    return faces;
}

// Engine flames and navigation lights, added after the hull.
void DrawLights(cairo_t* cr, const View& view) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    for (double side : {-1.0, 1.0}) {
        Point2 nozzle = Project({side * 8.5, -19.5, 1.8}, view);
        Point2 tail = Project({side * 8.5, -24.5, 1.8}, view);
        cairo_save(cr);
        cairo_translate(cr, nozzle.X, nozzle.Y);
        double len = std::hypot(tail.X - nozzle.X, tail.Y - nozzle.Y);
        const double k = view.Scale;
        cairo_scale(cr, 1.0, std::max(1.0, len / (2.6 * k)));
        Glow(cr, 0, 0.9 * k, 3.2 * k, {0.35, 0.65, 1.0}, 0.9, 1.4);
        Glow(cr, 0, 0.3 * k, 1.6 * k, {0.9, 0.97, 1.0}, 0.9, 1.0);
        cairo_restore(cr);
    }
    Point2 left = Project({-30.6, -16.5, 1.5}, view), right = Project({30.6, -16.5, 1.5}, view);
    Glow(cr, left.X, left.Y, 2.6 * view.Scale, {1.0, 0.2, 0.15}, 0.95, 1.3);
    Glow(cr, right.X, right.Y, 2.6 * view.Scale, {0.2, 1.0, 0.3}, 0.95, 1.3);
    cairo_restore(cr);
}

}  // namespace

void RenderFighter(cairo_t* cr, const View& view) {
    static const std::vector<Face> model = FighterModel();
    RenderMesh(cr, model, view);
    DrawLights(cr, view);
}

std::vector<Picture> DrawShipItems() {
    std::vector<Picture> items;
    for (int i = 0; i <= 40; ++i) {
        Canvas c(ShipWidth, ShipHeight);
        View view;
        view.CentreX = ShipWidth / 2.0;
        view.CentreY = ShipHeight / 2.0;
        view.Roll = (i - 20) / 20.0 * MaxRoll;
        view.Distance = 110;
        RenderFighter(c.Cr(), view);
        items.push_back(c.ToPicture());
    }
    return items;
}

}  // namespace skyrend::assets
