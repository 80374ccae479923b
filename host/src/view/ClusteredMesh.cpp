#include "view/ClusteredMesh.h"

#include "mesh/TriangleTests.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace rvhost {

namespace {

// Cubes along each axis are numbered in 20 bits; a key packs three numbers and the lean.
constexpr double kMaxCubes = double(1 << 20) - 1;

// 0..5: which component of the normal is largest in size, and its sign.
int leanOf(const float* n) {
    int axis = 0;
    for (int i = 1; i < 3; ++i)
        if (std::fabs(n[i]) > std::fabs(n[axis])) axis = i;
    return 2 * axis + (n[axis] < 0 ? 1 : 0);
}

// Open addressing from a key to its cluster, kept at most half full. A key and its cluster
// share a slot, so that a look-up costs one cache miss.
class ClusterTable {
public:
    // The cluster of `key`, made (numbered `next`) when new.
    int find(std::uint64_t key, int next) {
        Slot* slot = &slots_[place(key)];
        while (slot->key != kEmpty && slot->key != key)
            slot = &slots_[(slot - slots_.data() + 1) & (slots_.size() - 1)];
        if (slot->key == key) return slot->cluster;
        *slot = {key, next};
        if (++used_ * 2 > slots_.size()) grow();
        return next;
    }

private:
    static constexpr std::uint64_t kEmpty = std::numeric_limits<std::uint64_t>::max();
    struct Slot {
        std::uint64_t key = kEmpty;
        int cluster = 0;
    };

    // Fibonacci hashing: the top bits of the product depend on every bit of the key.
    size_t place(std::uint64_t key) const {
        return size_t((key * 0x9E3779B97F4A7C15ull) >> shift_);
    }
    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        --shift_;
        for (const Slot& s : old) {
            if (s.key == kEmpty) continue;
            size_t i = place(s.key);
            while (slots_[i].key != kEmpty)
                i = (i + 1) & (slots_.size() - 1);
            slots_[i] = s;
        }
    }

    std::vector<Slot> slots_ = std::vector<Slot>(1024);
    int shift_ = 54; // 64 - log2 of the size
    size_t used_ = 0;
};

void put(std::vector<float>& to, const double* v) {
    to.insert(to.end(), {float(v[0]), float(v[1]), float(v[2])});
}

void normalise(double* v) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 0)
        for (int i = 0; i < 3; ++i)
            v[i] /= length;
}

} // namespace

ClusteredMesh ClusteredMesh::build(const std::vector<float>& positions,
                                   const std::vector<float>& normals,
                                   const std::vector<TriangleRef>& triangles, double cell,
                                   bool flat) {
    ClusteredMesh out;
    const size_t vertices = positions.size() / 3;
    if (vertices == 0) return out;
    double low[3], high[3];
    for (int i = 0; i < 3; ++i)
        low[i] = high[i] = positions[i];
    for (size_t v = 0; v < vertices; ++v)
        for (int i = 0; i < 3; ++i) {
            low[i] = std::min(low[i], double(positions[3 * v + i]));
            high[i] = std::max(high[i], double(positions[3 * v + i]));
        }
    // Cubes too small to number along the longest side are made larger; with no size at
    // all (an eye at the mesh's middle, every vertex at one place), as small as that allows.
    if (!(cell > 0)) cell = 0;
    for (int i = 0; i < 3; ++i)
        cell = std::max(cell, (high[i] - low[i]) / kMaxCubes);
    if (!(cell > 0)) cell = 1;

    // Each vertex's cluster, and each cluster's sums of positions and normals.
    std::vector<int> clusterOf(vertices);
    std::vector<double> sums;
    std::vector<int> members;
    // Room for clusters of a few vertices each, spared the copies of growing.
    sums.reserve(6 * vertices / 4);
    members.reserve(vertices / 4);
    const double perCube = 1.0 / cell;
    ClusterTable table;
    std::uint64_t lastKey = std::numeric_limits<std::uint64_t>::max();
    int lastCluster = 0;
    for (size_t v = 0; v < vertices; ++v) {
        std::uint64_t key = std::uint64_t(leanOf(&normals[3 * v]));
        for (int i = 0; i < 3; ++i) {
            const double cube = std::floor((positions[3 * v + i] - low[i]) * perCube);
            // A point that is not a number goes to the first cube rather than anywhere.
            key = (key << 20) | std::uint64_t(cube >= 0 ? std::min(cube, kMaxCubes) : 0.0);
        }
        // Neighbouring vertices share cubes more often than not: spare the table those.
        const int next = int(members.size());
        if (key != lastKey) lastCluster = table.find(key, next);
        lastKey = key;
        const int c = lastCluster;
        if (c == next) {
            members.push_back(0);
            sums.resize(sums.size() + 6, 0.0);
        }
        ++members[c];
        for (int i = 0; i < 3; ++i) {
            sums[6 * size_t(c) + i] += positions[3 * v + i];
            sums[6 * size_t(c) + 3 + i] += normals[3 * v + i];
        }
        clusterOf[v] = c;
    }
    for (size_t c = 0; c < members.size(); ++c) {
        double* sum = &sums[6 * c];
        for (int i = 0; i < 3; ++i)
            sum[i] /= members[c];
        normalise(sum + 3);
    }

    ShadedMesh& m = out.mesh;
    if (!flat)
        for (size_t c = 0; c < members.size(); ++c) {
            put(m.positions, &sums[6 * c]);
            put(m.normals, &sums[6 * c + 3]);
        }
    for (const TriangleRef& t : triangles) {
        const int a = clusterOf[t.v[0]], b = clusterOf[t.v[1]], c = clusterOf[t.v[2]];
        if (a == b || b == c || a == c) continue;
        ++out.triangles;
        if (!flat) {
            m.indices.insert(m.indices.end(), {unsigned(a), unsigned(b), unsigned(c)});
            continue;
        }
        const double* p[3] = {&sums[6 * size_t(a)], &sums[6 * size_t(b)], &sums[6 * size_t(c)]};
        const double e1[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
        const double e2[3] = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
        double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                       e1[0] * e2[1] - e1[1] * e2[0]};
        normalise(n);
        for (int k = 0; k < 3; ++k) {
            m.indices.push_back(unsigned(m.positions.size() / 3));
            put(m.positions, p[k]);
            put(m.normals, n);
        }
    }
    return out;
}

} // namespace rvhost
