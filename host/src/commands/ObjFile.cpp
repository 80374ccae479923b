#include "commands/ObjFile.h"

#include <tiny_obj_loader.h>

#include <cstdio>
#include <fstream>
#include <iomanip>
#include <limits>

namespace rvhost::commands {

std::string writeObj(const std::string& path, const MeshGeometry& mesh) {
    std::ofstream out(path);
    if (!out) return "Cannot write \"" + path + "\".";
    // Enough digits for every float to read back exactly.
    out << std::setprecision(std::numeric_limits<float>::max_digits10);
    const std::vector<float>& p = mesh.points();
    for (size_t i = 0; i < p.size(); i += 3)
        out << "v " << p[i] << ' ' << p[i + 1] << ' ' << p[i + 2] << '\n';
    for (size_t i = 0; i < mesh.us().size(); ++i)
        out << "vt " << mesh.us()[i] << ' ' << mesh.vs()[i] << '\n';
    for (int f = 0; f < mesh.numPolygons(); ++f) {
        out << 'f';
        for (int i = 0; i < mesh.polygonSize(f); ++i) {
            out << ' ' << mesh.polygonVertex(f, i) + 1;
            if (mesh.hasUVs()) out << '/' << mesh.uvId(mesh.polygonStart(f) + i) + 1;
        }
        out << '\n';
    }
    out.flush();
    return out ? std::string() : "Cannot write \"" + path + "\".";
}

std::string readObj(const std::string& path, MeshGeometry& out) {
    tinyobj::ObjReaderConfig config;
    config.triangulate = false;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromFile(path, config))
        return "Cannot read \"" + path + "\": " + reader.Error();
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    std::vector<int> counts, connects, uvIds;
    bool everyUV = true;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        for (unsigned char count : shape.mesh.num_face_vertices)
            counts.push_back(count);
        for (const tinyobj::index_t& index : shape.mesh.indices) {
            connects.push_back(index.vertex_index);
            uvIds.push_back(index.texcoord_index);
            everyUV = everyUV && index.texcoord_index >= 0;
        }
    }
    if (counts.empty()) return "\"" + path + "\" holds no polygon.";
    MeshGeometry mesh;
    std::string error = mesh.setMesh(attrib.vertices, counts, connects);
    if (error.empty() && everyUV) {
        std::vector<float> us, vs;
        for (size_t i = 0; i + 1 < attrib.texcoords.size(); i += 2) {
            us.push_back(attrib.texcoords[i]);
            vs.push_back(attrib.texcoords[i + 1]);
        }
        error = mesh.setUVs(us, vs, uvIds);
    }
    if (!error.empty()) return "Cannot read \"" + path + "\": " + error + ".";
    out = std::move(mesh);
    return {};
}

} // namespace rvhost::commands
