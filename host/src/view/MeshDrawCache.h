#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace rvhost {

struct GLApi;
class MeshGeometry;
class MeshShape;
class ViewPort;

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

    // An axis-aligned box in world space.
    struct WorldBox {
        double min[3] = {0, 0, 0};
        double max[3] = {0, 0, 0};
        bool empty = true;
        void add(double x, double y, double z);
        void add(const WorldBox& other);
    };
    // Pixels of the port from (x0, y0) to (x1, y1), both included.
    struct PortRect {
        int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
        bool empty() const { return x0 > x1 || y0 > y1; }
        bool meets(const PortRect& other) const {
            return x0 <= other.x1 && other.x0 <= x1 && y0 <= other.y1 && other.y0 <= y1;
        }
    };
    // The pixels the box covers in the view, with `margin` pixels round it, kept within the
    // port (empty when the box is off it). False when part of the box is not in front of the
    // eye, or the box is empty.
    static bool portRect(const ViewPort& view, const WorldBox& box, int margin, PortRect& rect);

    // Brings the buffers up to date with every visible mesh, with face normals when `flat`
    // and vertex normals otherwise. True when anything drawn changed (corners sent, meshes
    // gone). Needs the off-screen context current.
    bool sync(const GLApi& g, bool flat);
    // After a sync where only points moved (no mesh built or dropped): the box round every
    // changed triangle, where it was and where it is now.
    bool onlyPointsMoved() const { return !rebuilt_; }
    const WorldBox& changedBox() const { return changed_; }

    // Draws the meshes as last synchronised; lighting and colour are the caller's. With a
    // view and a rectangle, draws only the runs of triangles whose bounds can reach it.
    void draw(const GLApi& g, const ViewPort* view = nullptr,
              const PortRect* within = nullptr) const;

    // Draws, for each mesh far denser than the view's pixels, a stand-in of about a triangle a
    // pixel (see ClusteredMesh), made when first wanted and kept until the mesh's corners
    // change or the view wants cubes of another size; other meshes whole. For frames while
    // the camera moves: the picture is close to draw()'s, not the same.
    void drawStandIns(const GLApi& g, const ViewPort& view);
    // Stand-ins made by the last drawStandIns.
    int standInsMade() const { return standInsMade_; }

    // Corners sent to OpenGL by the last sync, a whole mesh counting all of its corners.
    std::size_t cornersSent() const { return cornersSent_; }
    // Triangles handed to OpenGL by the last draw.
    std::size_t trianglesDrawn() const { return trianglesDrawn_; }

private:
    struct Entry;
    MeshDrawCache() = default;
    // Triangles [first, last) of the bound buffers.
    void drawTriangles(const GLApi& g, int first, int last) const;
    void finishDrawing(const GLApi& g) const;

    // By shape and by which of its occurrences in the scene it is.
    std::map<std::pair<const MeshShape*, int>, std::unique_ptr<Entry>> entries_;
    // The entries in the scene's order, as the last sync found them, with their meshes.
    std::vector<std::pair<Entry*, const MeshGeometry*>> drawn_;
    std::size_t cornersSent_ = 0;
    mutable std::size_t trianglesDrawn_ = 0;
    int standInsMade_ = 0;
    bool rebuilt_ = false;
    WorldBox changed_;
};

} // namespace rvhost
