#include "display/KVBrushFeedback.h"

#include "sculpt/KVSculptRegistry.h"
#include "sculpt/RVMeshData.h"

#include <maya/MRampAttribute.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

void channels(const MColor& c, double out[3]) {
    out[0] = c.r;
    out[1] = c.g;
    out[2] = c.b;
}

} // namespace

RVMeshData* KVBrushFeedback::drawableRecord(const KVPSCtxData& state, KVSculptRegistry& registry) {
    if (!state.displayDirty || !state.setUp || !state.meshesReady || !state.meshModified)
        return nullptr;
    // The current record as it stands: drawing never rebuilds anything.
    if (registry.empty() || registry.currentIndex() < 0 ||
        registry.currentIndex() >= registry.size())
        return nullptr;
    RVMeshData& record = registry.record(registry.currentIndex());
    if (record.worldPoints.length() == 0 || !record.inModel()) return nullptr;
    return &record;
}

KVBrushFeedback::KVBrushFeedback(const KVPSCtxData& state, RVMeshData& record,
                                 MRampAttribute& fallOff)
    : state_(state), record_(record), fallOff_(fallOff) {
    size_t n = record.worldPoints.length();
    n = std::min(
        {n, record.maskFlag.size(), record.maskWeight.size(), record.strokeTouched.size()});
    vertexCount_ = static_cast<int>(n);
}

int KVBrushFeedback::instanceCount() const {
    const int held = static_cast<int>(record_.instanceCentres.length());
    return std::max(0, std::min({record_.instanceCount, held, kMaxBrushInstances}));
}

KVBrushFeedback::Colouring KVBrushFeedback::colouring() const {
    if (!state_.strokeActive) return Colouring::kHover;
    if (!state_.realtimeUpdate || state_.useMask) return Colouring::kStroke;
    return Colouring::kNone;
}

void KVBrushFeedback::collectPoints(std::vector<KVFeedbackPoint>& points, Walk walk) {
    points.clear();
    const Colouring how = colouring();
    if (how == Colouring::kNone) return;
    std::vector<int> vertices;
    KVFeedbackPoint point{};
    if (walk == Walk::kNearBrush && candidates(how, vertices)) {
        for (int v : vertices)
            if (colourOf(v, point)) points.push_back(point);
        return;
    }
    for (int v = 0; v < vertexCount_; ++v)
        if (colourOf(v, point)) points.push_back(point);
}

bool KVBrushFeedback::candidates(Colouring how, std::vector<int>& vertices) {
    std::vector<int> nearBrush;
    if (how == Colouring::kHover) {
        const int count = instanceCount();
        // With no brush instance nothing is drawn, masked vertices included.
        if (count == 0) return true;
        // The grid follows worldPoints only while the dab code keeps it in step.
        if (!record_.dabIndexInSync || record_.grid.empty()) return false;
        double centres[3 * kMaxBrushInstances];
        for (int j = 0; j < count; ++j) {
            const MPoint& c = record_.instanceCentres[j];
            centres[3 * j] = c.x;
            centres[3 * j + 1] = c.y;
            centres[3 * j + 2] = c.z;
        }
        record_.grid.forEachInBalls(centres, state_.radius, count, [&](int v, std::uint32_t) {
            if (v < vertexCount_) nearBrush.push_back(v);
        });
    } else if (!state_.realtimeUpdate) {
        for (int v = 0; v < vertexCount_; ++v)
            if (record_.strokeTouched[v]) nearBrush.push_back(v);
    }
    std::vector<int> maskedOnes;
    if (state_.useMask)
        for (int v = 0; v < vertexCount_; ++v)
            if (record_.maskFlag[v]) maskedOnes.push_back(v);
    vertices.reserve(nearBrush.size() + maskedOnes.size());
    std::set_union(nearBrush.begin(), nearBrush.end(), maskedOnes.begin(), maskedOnes.end(),
                   std::back_inserter(vertices));
    return true;
}

bool KVBrushFeedback::colourOf(int v, KVFeedbackPoint& point) {
    double colour[3];
    const bool drawn =
        colouring() == Colouring::kHover ? hoverColour(v, colour) : strokeColour(v, colour);
    if (!drawn) return false;
    const MPoint& p = record_.worldPoints[v];
    point = {float(p.x),       float(p.y),       float(p.z),
             float(colour[0]), float(colour[1]), float(colour[2])};
    return true;
}

bool KVBrushFeedback::masked(int v) const {
    return state_.useMask && record_.maskFlag[v];
}

void KVBrushFeedback::maskBlend(int v, double mask[3]) const {
    const double w = record_.maskWeight[v];
    double vertex[3], maskColour[3];
    channels(state_.vertexColor, vertex);
    channels(state_.maskColor, maskColour);
    for (int c = 0; c < 3; ++c)
        mask[c] = vertex[c] * w + maskColour[c] * (1.0 - w);
}

float KVBrushFeedback::fallOffAt(double distance) {
    // A zero radius reaches only the centre, which sits at the ramp's start.
    const double ratio = state_.radius > 0.0 ? distance / state_.radius : 0.0;
    float value = 0.0f;
    fallOff_.getValueAtPosition(static_cast<float>(ratio), value);
    return value;
}

bool KVBrushFeedback::hoverColour(int v, double colour[3]) {
    const int count = instanceCount();
    if (count == 0) return false;
    const MPoint& p = record_.worldPoints[v];
    float brush[3] = {0.0f, 0.0f, 0.0f};
    const float vertex[3] = {state_.vertexColor.r, state_.vertexColor.g, state_.vertexColor.b};
    bool inBrush = false;
    for (int j = 0; j < count; ++j) {
        const double d = record_.instanceCentres[j].distanceTo(p);
        if (!(d <= state_.radius)) continue;
        const float weight = fallOffAt(d) + 0.25f;
        for (int c = 0; c < 3; ++c)
            brush[c] = std::min(brush[c] + vertex[c] * weight, 1.0f);
        inBrush = true;
    }
    const bool isMasked = masked(v);
    if (!isMasked && !inBrush) return false;
    double mask[3] = {0.0, 0.0, 0.0};
    if (isMasked) maskBlend(v, mask);
    for (int c = 0; c < 3; ++c) {
        if (!isMasked)
            colour[c] = brush[c];
        else
            colour[c] = inBrush ? mask[c] + (1.0 - mask[c]) * brush[c] : mask[c];
    }
    return true;
}

bool KVBrushFeedback::strokeColour(int v, double colour[3]) const {
    const bool isMasked = masked(v);
    const bool touched = record_.strokeTouched[v] && !state_.realtimeUpdate;
    if (!isMasked && !touched) return false;
    double vertex[3], mask[3] = {0.0, 0.0, 0.0};
    channels(state_.vertexColor, vertex);
    if (isMasked) maskBlend(v, mask);
    for (int c = 0; c < 3; ++c) {
        if (!isMasked)
            colour[c] = vertex[c];
        else
            // Left unclamped: OpenGL clamps the colour it is given.
            colour[c] = touched ? vertex[c] + (1.0 - mask[c]) * vertex[c] : mask[c];
    }
    return true;
}

std::vector<KVPortPoint> KVBrushFeedback::dialLines(const KVPSCtxData& state) {
    if (state.showScaleDial) {
        const auto& q = state.scaleDialPoints;
        return {q[0], q[1], q[1], q[2], q[2], q[3], q[3], q[0]};
    }
    if (state.showRotateDial) {
        const auto& a = state.rotateDialPoints;
        return {a[0], a[1], a[2], a[3]};
    }
    return {};
}

std::vector<MPoint> KVBrushFeedback::vectorLines() const {
    std::vector<MPoint> ends;
    if (!state_.displayCenterNormal || !state_.strokeFinished) return ends;
    const int count = std::min(instanceCount(), int(state_.instanceDisplayVectors.length()));
    for (int j = 0; j < count; ++j) {
        const MPoint& centre = record_.instanceCentres[j];
        ends.push_back(centre);
        ends.push_back(centre +
                       state_.instanceDisplayVectors[j] * double(state_.normalDisplayScale));
    }
    return ends;
}

MColor KVBrushFeedback::vectorColour(const KVPSCtxData& state) {
    const MColor& c = state.vertexColor;
    return MColor(1.0f - c.r, 1.0f - c.g, 1.0f - c.b);
}
