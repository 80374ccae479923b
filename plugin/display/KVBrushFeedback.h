#pragma once
// What both drawing paths of the brush feedback draw, worked out once: the vertices the
// brush reaches and the masked vertices with their colours, the grab dial's outline in
// port pixels and the brush vectors. It only reads the sculpt state and the record.
#include "sculpt/KVPSCtxData.h"

#include <maya/MColor.h>
#include <maya/MPoint.h>

#include <vector>

class KVSculptRegistry;
class MRampAttribute;
class RVMeshData;

// One vertex to draw: its world position and colour, in single precision as drawn.
struct KVFeedbackPoint {
    float x, y, z;
    float r, g, b;
};

class KVBrushFeedback {
public:
    // The current record when the flags say there is feedback to draw (displayDirty, setUp,
    // meshesReady, meshModified) and the record has points; null otherwise.
    static RVMeshData* drawableRecord(const KVPSCtxData& state, KVSculptRegistry& registry);

    // fallOff: the ramp that shapes the hover colours.
    KVBrushFeedback(const KVPSCtxData& state, RVMeshData& record, MRampAttribute& fallOff);

    // How the vertices are found. kNearBrush visits only the vertices near a brush centre,
    // the touched and the masked ones; kEveryVertex asks every vertex. Both give the same
    // points and colours in vertex order.
    enum class Walk { kNearBrush, kEveryVertex };
    // The vertices to draw: hover colouring while no stroke runs, stroke colouring during
    // one (when realtimeUpdate is off or useMask on); nothing otherwise.
    void collectPoints(std::vector<KVFeedbackPoint>& points, Walk walk = Walk::kNearBrush);

    // The grab dial's line segments (pairs of ends, port pixels): the scale quadrilateral
    // when the scale dial is shown, else the rotation dial's two segments, else nothing.
    static std::vector<KVPortPoint> dialLines(const KVPSCtxData& state);
    // Pairs of world points, one pair per brush instance, when the vectors are shown.
    std::vector<MPoint> vectorLines() const;
    // The vectors are drawn in the complement of the vertex colour.
    static MColor vectorColour(const KVPSCtxData& state);

private:
    enum class Colouring { kNone, kHover, kStroke };
    Colouring colouring() const;
    // Vertex v's colour by the current colouring; false when it is not drawn.
    bool colourOf(int v, KVFeedbackPoint& point);
    bool hoverColour(int v, double colour[3]);
    bool strokeColour(int v, double colour[3]) const;
    // vertexColor x w + maskColor x (1 - w) for vertex v's mask weight.
    void maskBlend(int v, double mask[3]) const;
    float fallOffAt(double distance);
    // Ascending vertices that may be drawn: those near a brush centre (hover), touched
    // (stroke), masked (either). False when the whole mesh must be asked instead.
    bool candidates(Colouring colouring, std::vector<int>& vertices);
    bool masked(int v) const;
    int instanceCount() const;

    const KVPSCtxData& state_;
    RVMeshData& record_;
    MRampAttribute& fallOff_;
    // Vertices every per-vertex array of the record covers.
    int vertexCount_ = 0;
};
