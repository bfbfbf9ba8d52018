// tools/make-assets/Mesh.cpp — flat-shaded polygons, back to front.

#include "tools/make-assets/Mesh.h"

#include <algorithm>
#include <cmath>

namespace skyrend::assets {

Vec3 operator+(Vec3 a, Vec3 b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
Vec3 operator*(Vec3 a, double k) { return {a.X * k, a.Y * k, a.Z * k}; }
double Dot(Vec3 a, Vec3 b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X}; }
Vec3 Normalise(Vec3 a) {
    double n = std::sqrt(Dot(a, a));
    return n > 0 ? a * (1.0 / n) : a;
}

Vec3 Turn(Vec3 p, const View& v) {
    // Roll about the length axis: a positive roll lifts the left wing.
    double c = std::cos(v.Roll), s = std::sin(v.Roll);
    Vec3 r{p.X * c + p.Z * s, p.Y, -p.X * s + p.Z * c};
    c = std::cos(v.Pitch), s = std::sin(v.Pitch);
    r = {r.X, r.Y * c - r.Z * s, r.Y * s + r.Z * c};
    c = std::cos(v.Yaw), s = std::sin(v.Yaw);
    return {r.X * c - r.Y * s, r.X * s + r.Y * c, r.Z};
}

Point2 Project(Vec3 p, const View& v) {
    Vec3 t = Turn(p, v);
    double k = v.Scale * v.Distance / (v.Distance - t.Z * v.Scale);
    return {v.CentreX + t.X * k, v.CentreY - t.Y * k};
}

namespace {

struct Prepared {
    const Face* face;
    std::vector<Point2> points;
    double depth;
    Rgb colour;
};

// Newell's normal of a polygon, turned into view space.
Vec3 FaceNormal(const Face& f, const View& v) {
    Vec3 n;
    size_t count = f.Points.size();
    for (size_t i = 0; i < count; ++i) {
        Vec3 a = Turn(f.Points[i], v), b = Turn(f.Points[(i + 1) % count], v);
        n.X += (a.Y - b.Y) * (a.Z + b.Z);
        n.Y += (a.Z - b.Z) * (a.X + b.X);
        n.Z += (a.X - b.X) * (a.Y + b.Y);
    }
    return Normalise(n);
}

Rgb Shade(const Face& f, Vec3 n, bool underside) {
    const Vec3 light = Normalise({-0.45, 0.55, 0.75});
    const Vec3 half = Normalise(light + Vec3{0, 0, 1});
    double diffuse = std::max(0.0, Dot(n, light));
    double spec = std::pow(std::max(0.0, Dot(n, half)), 18.0) * f.Shine;
    Rgb base = underside ? Scale(f.Colour, 0.55) : f.Colour;
    double k = 0.30 + 0.80 * diffuse;
    k = k + (1.0 - k) * f.Glow;
    return {std::min(1.0, base.R * k + spec), std::min(1.0, base.G * k + spec),
            std::min(1.0, base.B * k + spec)};
}

}  // namespace

void RenderMesh(cairo_t* cr, const std::vector<Face>& faces, const View& view) {
    std::vector<Prepared> list;
    double parentDepth = 0;
    for (const Face& f : faces) {
        if (f.Points.size() < 3) continue;
        Vec3 n = FaceNormal(f, view);
        bool underside = false;
        if (n.Z <= 0) {
            if (!f.TwoSided) continue;
            n = n * -1.0;
            underside = true;
        }
        Prepared p{&f, {}, 0, Shade(f, n, underside)};
        for (const Vec3& q : f.Points) {
            p.points.push_back(Project(q, view));
            p.depth += Turn(q, view).Z;
        }
        p.depth = p.depth / static_cast<double>(f.Points.size()) + f.DepthBias;
        if (f.Decal)
            p.depth = parentDepth + 1e-6;
        else
            parentDepth = p.depth;
        list.push_back(std::move(p));
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Prepared& a, const Prepared& b) { return a.depth < b.depth; });
    for (const Prepared& p : list) {
        double top = p.points[0].Y, bottom = p.points[0].Y;
        cairo_new_path(cr);
        for (const Point2& q : p.points) {
            top = std::min(top, q.Y);
            bottom = std::max(bottom, q.Y);
            cairo_line_to(cr, q.X, q.Y);
        }
        cairo_close_path(cr);
        // A faint sheen down the face reads as brushed metal at this size.
        cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bottom + 0.01);
        AddStop(g, 0, Mix(p.colour, {1, 1, 1}, 0.12));
        AddStop(g, 1, Scale(p.colour, 0.86));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        SetColour(cr, Scale(p.colour, 0.55), 0.5);
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    }
}

Face Oriented(Face face, Vec3 outward) {
    Vec3 n;
    size_t count = face.Points.size();
    for (size_t i = 0; i < count; ++i) {
        Vec3 a = face.Points[i], b = face.Points[(i + 1) % count];
        n.X += (a.Y - b.Y) * (a.Z + b.Z);
        n.Y += (a.Z - b.Z) * (a.X + b.X);
        n.Z += (a.X - b.X) * (a.Y + b.Y);
    }
    if (Dot(n, outward) < 0) std::reverse(face.Points.begin(), face.Points.end());
    return face;
}

Face MirrorX(const Face& face) {
    Face m = face;
    m.Points.clear();
    for (auto it = face.Points.rbegin(); it != face.Points.rend(); ++it) m.Points.push_back({-it->X, it->Y, it->Z});
    return m;
}

Face MakeFace(std::vector<Vec3> points, Vec3 outward, Rgb colour, double shine) {
    Face f;
    f.Points = std::move(points);
    f.Colour = colour;
    f.Shine = shine;
    return Oriented(f, outward);
}

void AddMirrored(std::vector<Face>& faces, const Face& left) {
    faces.push_back(left);
    faces.push_back(MirrorX(left));
}

void AddStripedWings(std::vector<Face>& faces, std::vector<Vec3> wing, std::vector<Vec3> stripe, Rgb wingColour,
                     Rgb trimColour) {
    Face w = MakeFace(std::move(wing), {0, 0, 1}, wingColour, 0.5);
    w.TwoSided = true;
    Face s = MakeFace(std::move(stripe), {0, 0, 1}, trimColour, 0.3);
    s.Decal = true;
    faces.push_back(w);
    faces.push_back(s);
    faces.push_back(MirrorX(w));
    faces.push_back(MirrorX(s));
}

void AddCanopy(std::vector<Face>& faces, std::vector<Vec3> left, Rgb colour, double shine, double glow) {
    Face canopy = MakeFace(std::move(left), {-0.4, 0, 1}, colour, shine);
    canopy.Glow = glow;
    canopy.DepthBias = 0.6;
    AddMirrored(faces, canopy);
}

void AddFuselage(std::vector<Face>& faces, const std::vector<Station>& st, Rgb colour) {
    const double keel = -2.5;
    for (size_t i = 0; i + 1 < st.size(); ++i) {
        const Station &a = st[i], &b = st[i + 1];
        Vec3 s0{0, a.Y, a.Spine}, s1{0, b.Y, b.Spine};
        Vec3 e0{-a.Half, a.Y, a.Edge}, e1{-b.Half, b.Y, b.Edge};
        Vec3 k0{-a.Half * 0.8, a.Y, keel}, k1{-b.Half * 0.8, b.Y, keel};
        AddMirrored(faces, MakeFace({s0, s1, e1, e0}, {-0.3, 0, 1}, colour, 0.6));
        AddMirrored(faces, MakeFace({e0, e1, k1, k0}, {-1, 0, -0.2}, Scale(colour, 0.8), 0.3));
    }
    const Station& t = st.back();
    AddMirrored(faces, MakeFace({{0, t.Y, t.Spine}, {-t.Half, t.Y, t.Edge}, {-t.Half * 0.8, t.Y, keel}, {0, t.Y, keel}},
                                {0, -1, 0}, Scale(colour, 0.6)));
}

void AddBox(std::vector<Face>& faces, Vec3 lo, Vec3 hi, Rgb colour, double shine) {
    AddMirrored(faces, MakeFace({{lo.X, hi.Y, hi.Z}, {hi.X, hi.Y, hi.Z}, {hi.X, lo.Y, hi.Z}, {lo.X, lo.Y, hi.Z}},
                                {0, 0, 1}, colour, shine));
    AddMirrored(faces, MakeFace({{lo.X, hi.Y, hi.Z}, {lo.X, lo.Y, hi.Z}, {lo.X, lo.Y, lo.Z}, {lo.X, hi.Y, lo.Z}},
                                {-1, 0, 0}, Scale(colour, 0.8), shine * 0.5));
    AddMirrored(faces, MakeFace({{hi.X, hi.Y, hi.Z}, {hi.X, lo.Y, hi.Z}, {hi.X, lo.Y, lo.Z}, {hi.X, hi.Y, lo.Z}},
                                {1, 0, 0}, Scale(colour, 0.8), shine * 0.5));
    AddMirrored(faces, MakeFace({{lo.X, hi.Y, hi.Z}, {hi.X, hi.Y, hi.Z}, {hi.X, hi.Y, lo.Z}, {lo.X, hi.Y, lo.Z}},
                                {0, 1, 0}, Scale(colour, 0.9), shine * 0.5));
}

}  // namespace skyrend::assets
