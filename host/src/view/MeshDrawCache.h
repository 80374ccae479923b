#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace rvhost {

struct GLApi;
class MeshShape;

// What the view draws of each visible mesh, kept between frames in OpenGL buffer objects:
// world-space corners with a position and a unit normal, and three corner indices a
// triangle (see ShadedMesh). A frame after points moved works out and sends again only the
// corners the move changed (the moved vertices and, for normals, the vertices of the
// polygons around them); a new topology, a changed world matrix or another shading builds
// the mesh's buffers anew. Meshes no longer visible are dropped.
class MeshDrawCache {
public:
    static MeshDrawCache& instance();
    ~MeshDrawCache();

    // Brings the buffers up to date with every visible mesh, with face normals when `flat`
    // and vertex normals otherwise. True when anything drawn changed (corners sent, meshes
    // gone). Needs the off-screen context current.
    bool sync(const GLApi& g, bool flat);
    // Draws the meshes as last synchronised; lighting and colour are the caller's.
    void draw(const GLApi& g) const;

    // Corners sent to OpenGL by the last sync, a whole mesh counting all of its corners.
    std::size_t cornersSent() const { return cornersSent_; }

private:
    struct Entry;
    MeshDrawCache() = default;

    // By shape and by which of its occurrences in the scene it is.
    std::map<std::pair<const MeshShape*, int>, std::unique_ptr<Entry>> entries_;
    // The entries in the scene's order, as the last sync found them.
    std::vector<const Entry*> drawn_;
    std::size_t cornersSent_ = 0;
};

} // namespace rvhost
