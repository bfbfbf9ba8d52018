// tools/make-assets/Mesh.h — a tiny flat-shaded polygon renderer for the
// ships and the bonus crystal.
//
// Models are sets of planar polygons in model units (one unit = one pixel at
// depth 0): x to the right, y forward (up in the picture), z towards the
// viewer. A view turns the model (roll about y, then pitch about x, then
// yaw about z), projects it with a mild perspective and paints the faces back
// to front, each lit by one light from the upper left.

#pragma once

#include <vector>

#include "tools/make-assets/Canvas.h"

namespace skyrend::assets {

struct Vec3 {
    double X = 0, Y = 0, Z = 0;
};
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double k);
double Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
Vec3 Normalise(Vec3 a);

struct Face {
    std::vector<Vec3> Points;
    Rgb Colour;
    double Shine = 0.4;     // strength of the specular highlight
    bool TwoSided = false;  // thin parts: show the underside when turned over
    double DepthBias = 0;   // raised parts are painted a little later
    bool Decal = false;     // painted right after the face listed before it
    double Glow = 0;        // self-lit share (windows, engine ports)
};

struct View {
    double Roll = 0, Pitch = 0, Yaw = 0;  // radians
    double CentreX = 0, CentreY = 0;      // picture position of the model origin
    double Scale = 1;
    double Distance = 120;                // eye distance for the perspective
};

struct Point2 {
    double X = 0, Y = 0;
};

// The model point turned by the view (before projection).
Vec3 Turn(Vec3 p, const View& view);
// The picture position of a model point.
Point2 Project(Vec3 p, const View& view);
// Paints the faces.
void RenderMesh(cairo_t* cr, const std::vector<Face>& faces, const View& view);

// The face with its points in the order that makes its normal point along
// `outward` (so models can list corners in any order).
Face Oriented(Face face, Vec3 outward);

// Mirrors a polygon across the x = 0 plane (keeping its winding outward).
Face MirrorX(const Face& face);

// Model-building helpers shared by the ships.
Face MakeFace(std::vector<Vec3> points, Vec3 outward, Rgb colour, double shine = 0.4);
// Adds a face of the left side and its mirror image on the right.
void AddMirrored(std::vector<Face>& faces, const Face& left);
// A pair of thin wings with a trim stripe painted along each: the left wing,
// its stripe, then their mirror images.
void AddStripedWings(std::vector<Face>& faces, std::vector<Vec3> wing, std::vector<Vec3> stripe, Rgb wingColour,
                     Rgb trimColour);
// A canopy over the nose, its left half given: painted after the hull it
// sits in, lit from inside by `glow`.
void AddCanopy(std::vector<Face>& faces, std::vector<Vec3> left, Rgb colour, double shine, double glow = 0);
// A fuselage along y: for each station its y, the spine's height, the half
// width and the height of the side edges; a keel below closes it.
struct Station {
    double Y, Spine, Half, Edge;
};
void AddFuselage(std::vector<Face>& faces, const std::vector<Station>& stations, Rgb colour);
// A box (left side of the model) seen from above and from the sides.
void AddBox(std::vector<Face>& faces, Vec3 low, Vec3 high, Rgb colour, double shine = 0.5);

}  // namespace skyrend::assets
