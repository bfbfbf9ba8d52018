// tools/make-assets/Enemy.cpp — the two kinds of enemy ship in 41 turning
// poses each.
//
// The game draws an enemy rotated to its heading, scaled to 50 x 50, so the
// pictures are 50 x 50 with the ship nose up around the centre. Items 0..40
// are the crimson raider, 41..81 the teal warden; within each, item 20 flies
// straight and the ship rolls into its turn on either side (lower items turn
// left).

#include <cmath>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Models.h"

namespace skyrend::assets {

namespace {

constexpr int EnemySize = 50;
constexpr double MaxRoll = 55.0 * M_PI / 180.0;

struct EnemyLook {
    std::vector<Face> Model;
    Rgb EngineColour;
    std::vector<Vec3> Engines;  // left-side nozzles (mirrored)
    Rgb LightColour;
    std::vector<Vec3> Lights;   // left-side running lights (mirrored)
};

// Forward-swept wings with forward prongs and one big engine.
EnemyLook Raider() {
    const Rgb hull{0.62, 0.18, 0.20}, wing{0.40, 0.08, 0.12}, trim{0.95, 0.78, 0.25}, metal{0.45, 0.42, 0.45};
    EnemyLook look;
    std::vector<Face>& f = look.Model;
    AddFuselage(f, {{21, 1.4, 0.4, 0.5}, {11, 4.0, 2.8, 1.0}, {0, 5.2, 4.2, 1.2}, {-10, 4.4, 4.4, 1.2},
                    {-17, 3.2, 3.6, 1.0}},
                hull);
    AddStripedWings(f, {{-3.8, -3, 1.0}, {-21, 7, 0.2}, {-22.5, 2.5, 0.2}, {-4.0, -14, 1.0}},
                    {{-4.0, -5.5, 1.0}, {-20.8, 4.6, 0.2}, {-21.4, 2.8, 0.2}, {-4.0, -8.5, 1.0}}, wing, trim);
    AddBox(f, {-23.5, -2, -0.8}, {-21.5, 13, 1.4}, metal, 0.7);
    AddBox(f, {-6.5, -17, -1.0}, {-4.0, -6, 2.6}, metal, 0.6);
    AddCanopy(f, {{0, 13, 4.0}, {0, 4, 5.6}, {-2.2, 5, 4.6}, {-2.0, 10.5, 3.6}}, {0.95, 0.35, 0.10}, 1.0, 0.6);
    look.EngineColour = {1.0, 0.45, 0.15};
    look.Engines = {{-1.8, -17.5, 1.5}};
    look.LightColour = {1.0, 0.85, 0.3};
    look.Lights = {{-22.5, 13.5, 1.2}};
    return look;
}

// A broad delta between twin booms, with engines at the ends of the booms.
EnemyLook Warden() {
    const Rgb hull{0.28, 0.62, 0.58}, wing{0.14, 0.36, 0.38}, trim{0.65, 0.95, 0.45}, metal{0.38, 0.46, 0.48};
    EnemyLook look;
    std::vector<Face>& f = look.Model;
    AddFuselage(f, {{18, 1.6, 1.6, 0.6}, {10, 4.6, 4.6, 1.2}, {-1, 5.6, 6.0, 1.4}, {-12, 4.2, 4.8, 1.2}}, hull);
    AddStripedWings(f, {{-5.5, 8, 1.0}, {-22.5, -7, 0.3}, {-22.5, -13, 0.3}, {-5, -11, 1.0}},
                    {{-6.0, 5.5, 1.0}, {-21.5, -7.5, 0.3}, {-21.5, -9.5, 0.3}, {-6.0, 2.5, 1.0}}, wing, trim);
    AddBox(f, {-15.5, -18, -1.0}, {-11.5, 6, 3.0}, metal, 0.7);
    Face fin = MakeFace({{-13.5, -8, 3.0}, {-13.5, -17, 3.0}, {-14.5, -18.5, 8.5}, {-14.2, -12, 8.5}},
                        {-1, 0, 0}, hull, 0.5);
    fin.TwoSided = true;
    AddMirrored(f, fin);
    AddCanopy(f, {{0, 11, 4.9}, {0, 0, 6.8}, {-3.2, 1.5, 5.4}, {-2.6, 8.5, 4.2}}, {0.95, 0.65, 0.15}, 1.1, 0.35);
    look.EngineColour = {0.45, 1.0, 0.6};
    look.Engines = {{-13.5, -18.5, 1.0}};
    look.LightColour = {0.6, 1.0, 0.4};
    look.Lights = {{-22.5, -12.5, 0.8}};
    return look;
}

void DrawEnemyLights(cairo_t* cr, const EnemyLook& look, const View& view) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    for (const Vec3& e : look.Engines) {
        for (double side : {-1.0, 1.0}) {
            if (side > 0 && e.X == 0) continue;
            Vec3 p{e.X * side, e.Y, e.Z};
            Point2 a = Project(p, view);
            const double k = view.Scale;
            Glow(cr, a.X, a.Y + 1.2 * k, 3.4 * k, look.EngineColour, 0.95, 1.4);
            Glow(cr, a.X, a.Y + 0.4 * k, 1.5 * k, {1, 1, 0.9}, 0.8, 1.0);
        }
    }
    for (const Vec3& l : look.Lights) {
        for (double side : {-1.0, 1.0}) {
            Point2 a = Project({l.X * side, l.Y, l.Z}, view);
            Glow(cr, a.X, a.Y, 2.0 * view.Scale, look.LightColour, 0.9, 1.3);
        }
    }
    cairo_restore(cr);
}

const EnemyLook& Look(int variant) {
    static const EnemyLook raider = Raider(), warden = Warden();
    return variant == 0 ? raider : warden;
}

void DrawPoses(std::vector<Picture>& items, int variant) {
    for (int i = 0; i <= 40; ++i) {
        Canvas c(EnemySize, EnemySize);
        View view;
        view.CentreX = view.CentreY = EnemySize / 2.0;
        view.Roll = (i - 20) / 20.0 * MaxRoll;
        view.Distance = 90;
        RenderEnemy(c.Cr(), variant, view);
        items.push_back(c.ToPicture());
    }
}

}  // namespace

void RenderEnemy(cairo_t* cr, int variant, const View& view) {
    const EnemyLook& look = Look(variant);
    RenderMesh(cr, look.Model, view);
    DrawEnemyLights(cr, look, view);
}

std::vector<Picture> DrawEnemyItems() {
    std::vector<Picture> items;
    DrawPoses(items, 0);
    DrawPoses(items, 1);
    return items;
}

}  // namespace skyrend::assets
