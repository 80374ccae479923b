#include "mesh/MeshGenerators.h"

#include <algorithm>
#include <cmath>

namespace rvhost {

namespace {

// Accumulates points, polygons and per-face-vertex UV ids.
struct Builder {
    std::vector<float> xyz, us, vs;
    std::vector<int> counts, connects, uvIds;

    // Room for the whole mesh up front: growing by doubling would briefly hold the lists
    // twice over, which on a million-vertex primitive is most of the peak memory.
    void reserve(size_t points, size_t uvs, size_t polygons, size_t corners) {
        xyz.reserve(3 * points);
        us.reserve(uvs);
        vs.reserve(uvs);
        counts.reserve(polygons);
        connects.reserve(corners);
        uvIds.reserve(corners);
    }
    int addPoint(const Vec3& p) {
        xyz.insert(xyz.end(), {float(p.x), float(p.y), float(p.z)});
        return static_cast<int>(xyz.size() / 3) - 1;
    }
    int addUV(double u, double v) {
        us.push_back(float(u));
        vs.push_back(float(v));
        return static_cast<int>(us.size()) - 1;
    }
    // Corners as (vertex, uv) pairs.
    void addPolygon(std::initializer_list<std::pair<int, int>> corners) {
        counts.push_back(static_cast<int>(corners.size()));
        for (const auto& [vertex, uv] : corners) {
            connects.push_back(vertex);
            uvIds.push_back(uv);
        }
    }
    MeshGeometry finish() {
        MeshGeometry mesh;
        mesh.setMesh(std::move(xyz), std::move(counts), std::move(connects));
        mesh.setUVs(std::move(us), std::move(vs), std::move(uvIds));
        return mesh;
    }
};

// Rotation taking +y onto the unit vector `a` (Rodrigues' formula).
Vec3 turnUpTo(const Vec3& p, const Vec3& a) {
    const Vec3 up{0, 1, 0};
    const double c = dot(up, a);
    if (c > 1.0 - 1e-12) return p;
    if (c < -1.0 + 1e-12) return {p.x, -p.y, -p.z}; // half turn about x
    const Vec3 k = normalized(cross(up, a));
    const double s = std::sqrt(std::max(0.0, 1.0 - c * c));
    return p * c + cross(k, p) * s + k * (dot(k, p) * (1.0 - c));
}

// A grid of (rows + 1) x (cols + 1) corners numbered row by row; quad (r, c) is wound
// corner(r, c), (r, c+1), (r+1, c+1), (r+1, c), so it faces along (+col) x (+row).
template <typename Corner> void addGridQuads(Builder& b, int rows, int cols, Corner corner) {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            b.addPolygon({corner(r, c), corner(r, c + 1), corner(r + 1, c + 1), corner(r + 1, c)});
}

} // namespace

MeshGeometry makePlane(double width, double height, int sx, int sy, const Vec3& axis) {
    sx = std::max(sx, 1);
    sy = std::max(sy, 1);
    const Vec3 a = length(axis) > 0.0 ? normalized(axis) : Vec3{0, 1, 0};
    Builder b;
    const size_t corners = size_t(sx + 1) * size_t(sy + 1), quads = size_t(sx) * size_t(sy);
    b.reserve(corners, corners, quads, 4 * quads);
    for (int r = 0; r <= sy; ++r) {
        for (int c = 0; c <= sx; ++c) {
            b.addPoint(
                turnUpTo({-width / 2 + c * width / sx, 0.0, height / 2 - r * height / sy}, a));
            b.addUV(double(c) / sx, double(r) / sy);
        }
    }
    // Columns run along +x and rows along -z: +x cross -z = +y.
    addGridQuads(b, sy, sx, [&](int r, int c) {
        const int k = r * (sx + 1) + c;
        return std::pair<int, int>(k, k);
    });
    return b.finish();
}

MeshGeometry makeCube(double width, double height, double depth, int sx, int sy, int sz) {
    sx = std::max(sx, 1);
    sy = std::max(sy, 1);
    sz = std::max(sz, 1);
    const int ring = 2 * (sy + sz);
    // Ring row r runs up the front, back over the top, down the back and forward under the
    // bottom; it gives the (y, z) of a ring row and its v in the cross-shaped UV layout.
    auto ringYZ = [&](int r, double& y, double& z, double& v) {
        const double h2 = height / 2, d2 = depth / 2;
        if (r <= sy) {
            y = -h2 + r * height / sy, z = d2, v = 0.25 * r / sy;
        } else if (r <= sy + sz) {
            y = h2, z = d2 - (r - sy) * depth / sz, v = 0.25 + 0.25 * (r - sy) / sz;
        } else if (r <= 2 * sy + sz) {
            y = h2 - (r - sy - sz) * height / sy, z = -d2, v = 0.5 + 0.25 * (r - sy - sz) / sy;
        } else {
            y = -h2, z = -d2 + (r - 2 * sy - sz) * depth / sz,
            v = 0.75 + 0.25 * (r - 2 * sy - sz) / sz;
        }
    };
    Builder b;
    for (int r = 0; r < ring; ++r) {
        double y, z, v;
        ringYZ(r, y, z, v);
        for (int c = 0; c <= sx; ++c)
            b.addPoint({-width / 2 + c * width / sx, y, z});
    }
    for (int r = 0; r <= ring; ++r) {
        double y, z, v;
        ringYZ(r, y, z, v);
        for (int c = 0; c <= sx; ++c)
            b.addUV(0.375 + 0.25 * c / sx, v);
    }
    addGridQuads(b, ring, sx, [&](int r, int c) {
        return std::pair<int, int>((r % ring) * (sx + 1) + c, r * (sx + 1) + c);
    });

    // Side caps: corner (i, j) sits at z index i (back to front) and y index j (bottom to
    // top). Border corners are ring vertices; inner ones are added, the +x cap's first.
    auto ringRow = [&](int i, int j) {
        if (i == sz) return j;
        if (j == sy) return sy + (sz - i);
        if (i == 0) return sy + sz + (sy - j);
        return (2 * sy + sz + i) % ring; // j == 0
    };
    auto addCap = [&](int column, double x, double u0, bool facingPlusX) {
        std::vector<int> vertex((sz + 1) * (sy + 1)), uv(vertex.size());
        for (int j = 0; j <= sy; ++j) {
            for (int i = 0; i <= sz; ++i) {
                const bool border = i == 0 || i == sz || j == 0 || j == sy;
                const int k = j * (sz + 1) + i;
                vertex[k] = border ? ringRow(i, j) * (sx + 1) + column
                                   : b.addPoint({x, -height / 2 + j * height / sy,
                                                 -depth / 2 + i * depth / sz});
                const double u = double(i) / sz;
                uv[k] = b.addUV(u0 + 0.25 * (facingPlusX ? 1.0 - u : u), 0.25 * j / sy);
            }
        }
        auto corner = [&](int j, int i) {
            const int k = j * (sz + 1) + i;
            return std::pair<int, int>(vertex[k], uv[k]);
        };
        // Grid quads over (row j, column i) face along +z cross +y = -x; the +x cap walks
        // each quad the other way round, starting from its front-bottom corner.
        for (int j = 0; j < sy; ++j) {
            for (int i = 0; i < sz; ++i) {
                if (facingPlusX)
                    b.addPolygon(
                        {corner(j, i + 1), corner(j, i), corner(j + 1, i), corner(j + 1, i + 1)});
                else
                    b.addPolygon(
                        {corner(j, i), corner(j, i + 1), corner(j + 1, i + 1), corner(j + 1, i)});
            }
        }
    };
    addCap(sx, width / 2, 0.625, true);
    addCap(0, -width / 2, 0.125, false);
    return b.finish();
}

MeshGeometry makeSphere(double radius, int sx, int sy) {
    sx = std::max(sx, 3);
    sy = std::max(sy, 2);
    const double pi = std::acos(-1.0);
    Builder b;
    const size_t rings = size_t(sy - 1), around = size_t(sx);
    b.reserve(rings * around + 2, rings * (around + 1) + 2 * around, around * sy,
              4 * around * (sy - 2) + 6 * around);
    // Rings from the bottom up, each starting on +x and turning from +x towards -z.
    for (int i = 1; i < sy; ++i) {
        const double phi = -pi / 2 + i * pi / sy;
        for (int j = 0; j < sx; ++j) {
            const double theta = 2 * pi * j / sx;
            b.addPoint({radius * std::cos(phi) * std::cos(theta), radius * std::sin(phi),
                        -radius * std::cos(phi) * std::sin(theta)});
        }
    }
    const int bottom = b.addPoint({0, -radius, 0});
    const int top = b.addPoint({0, radius, 0});
    for (int i = 1; i < sy; ++i)
        for (int j = 0; j <= sx; ++j)
            b.addUV(double(j) / sx, double(i) / sy);
    const int firstPoleUV = static_cast<int>(b.us.size());
    for (int j = 0; j < sx; ++j)
        b.addUV((j + 0.5) / sx, 0.0);
    for (int j = 0; j < sx; ++j)
        b.addUV((j + 0.5) / sx, 1.0);

    auto ringCorner = [&](int i, int j) { // ring i counted from 0 at the lowest ring
        return std::pair<int, int>(i * sx + j % sx, i * (sx + 1) + j);
    };
    // Around then up: +theta cross +y points outwards.
    addGridQuads(b, sy - 2, sx, ringCorner);
    for (int j = 0; j < sx; ++j)
        b.addPolygon({{bottom, firstPoleUV + j}, ringCorner(0, j + 1), ringCorner(0, j)});
    for (int j = 0; j < sx; ++j)
        b.addPolygon(
            {ringCorner(sy - 2, j), ringCorner(sy - 2, j + 1), {top, firstPoleUV + sx + j}});
    return b.finish();
}

} // namespace rvhost
