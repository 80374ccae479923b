// The grid-indexed vertex pass against the whole-mesh loop: the same random strokes, from
// the same record and state, must leave identical points, masks and buffers, over every
// mode, brush vector type and mirror code.
#include "SculptFixture.h"

#include "sculpt/KVDabPass.h"
#include "sculpt/KVGrabBrush.h"

#include <random>

namespace {
struct WholeMeshWalk {
    explicit WholeMeshWalk(bool on) { KVDabPass::wholeMeshWalk() = on; }
    ~WholeMeshWalk() { KVDabPass::wholeMeshWalk() = false; }
};

const int kModes[] = {kDisplace, kSmooth, kBulge, kFlatten, kPinch, kMask, kSmear, kNoDeform};
} // namespace

class IndexedPassTest : public SculptTest {
protected:
    IndexedPassTest() {
        run("delete plane");
        makeBumpyPlane("bumpy");
        services.fallOff = [](float t) { return 1.0f - t * t; };
    }

    // One stroke of `samples` from the given record and state, walked one way.
    void strokeOnce(RVMeshData& rec, KVPSCtxData& st, const std::vector<KVCursorSample>& samples,
                    bool wholeMesh) {
        WholeMeshWalk walk(wholeMesh);
        services.record = &rec;
        KVStroke s(st, services);
        for (const KVCursorSample& sample : samples)
            s.applyDab(sample);
        rec.settleObjectPoints();
    }

    // One grab stroke, walked one way: Shift alone dabs in dabMode for that sample (Smooth,
    // or the pen's eraser mode); else the grab translates, turns (Control) or scales
    // (Control+Shift).
    void grabStrokeOnce(RVMeshData& rec, KVPSCtxData& st,
                        const std::vector<KVCursorSample>& samples, int dabMode, bool wholeMesh) {
        WholeMeshWalk walk(wholeMesh);
        services.record = &rec;
        st.grabGathered = st.grabDepthTaken = st.rotating = st.scaling = false;
        st.meshesReady = true;
        for (const KVCursorSample& sample : samples) {
            st.mode = sample.shift && !sample.control ? dabMode : kGrab;
            if (st.mode != kGrab)
                KVStroke(st, services).applyDab(sample);
            else
                KVGrabBrush(st, services).applyGrab(sample);
        }
        rec.settleObjectPoints();
    }

    static void expectSame(const RVMeshData& a, const RVMeshData& b, const KVPSCtxData& sa,
                           const KVPSCtxData& sb, int strokeIndex) {
        SCOPED_TRACE("stroke " + std::to_string(strokeIndex));
        ASSERT_EQ(a.worldPoints.length(), b.worldPoints.length());
        int differences = 0;
        for (unsigned int v = 0; v < a.worldPoints.length() && differences < 5; ++v) {
            const bool same = a.worldPoints[v] == b.worldPoints[v] && a.points[v] == b.points[v] &&
                              a.maskFlag[v] == b.maskFlag[v] &&
                              a.maskWeight[v] == b.maskWeight[v] &&
                              a.strokeAmount[v] == b.strokeAmount[v] &&
                              a.strokeTouched[v] == b.strokeTouched[v] &&
                              a.dabTouchCount[v] == b.dabTouchCount[v];
            EXPECT_TRUE(same) << "vertex " << v;
            differences += !same;
        }
        for (int j = 0; j < kMaxBrushInstances; ++j)
            EXPECT_EQ(sa.instanceDisplayVectors[j], sb.instanceDisplayVectors[j]) << j;
    }
};

TEST_F(IndexedPassTest, RandomStrokesGiveTheWholeMeshResultBitForBit) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> where(-5.0, 5.0);
    std::uniform_real_distribution<double> step(-1.2, 1.2);
    std::bernoulli_distribution coin(0.5);
    state.spacing = 0.3;
    state.bulgeScale = 0.3;
    RVMeshData current = record;
    for (int i = 0; i < 88; ++i) { // every (mode, vector type) pair; codes cycle too
        state.mode = kModes[i % 8];
        state.vectorType = i % 11;
        state.reflectCode = (i * 3 + i / 8) % 8;
        state.reflectSpace = coin(random);
        state.projectReflection = coin(random);
        state.useMask = coin(random);
        state.useAccumulation = coin(random);
        state.radius = 1.0 + 2.0 * std::abs(step(random));
        std::vector<KVCursorSample> samples;
        double x = where(random), z = where(random);
        const bool control = coin(random);
        for (int k = 0; k < 6; ++k, x += step(random), z += step(random))
            samples.push_back(at(x, z, control));

        RVMeshData whole = current, indexed = current;
        KVPSCtxData wholeState = state, indexedState = state;
        strokeOnce(whole, wholeState, samples, true);
        strokeOnce(indexed, indexedState, samples, false);
        expectSame(whole, indexed, wholeState, indexedState, i);
        if (HasFailure()) return;
        current = indexed;
        state = indexedState;
    }
    // The strokes did something: the surface and the mask have changed.
    int moved = 0, masked = 0;
    for (unsigned int v = 0; v < current.worldPoints.length(); ++v) {
        moved += !(current.worldPoints[v] == record.worldPoints[v]);
        masked += current.maskFlag[v];
    }
    EXPECT_GT(moved, 500);
    EXPECT_GT(masked, 50);
}

TEST_F(IndexedPassTest, GrabStrokesAmongDabStrokesKeepTheIndexExact) {
    std::mt19937 random(23);
    std::uniform_real_distribution<double> where(-4.0, 4.0);
    std::uniform_real_distribution<double> step(-1.0, 1.0);
    std::uniform_int_distribution<int> pick(0, 7);
    std::bernoulli_distribution coin(0.5);
    state.spacing = 0.3;
    RVMeshData current = record;
    int grabbed = 0;
    for (int i = 0; i < 48; ++i) {
        const bool grabStroke = i % 3 != 2;
        state.reflectCode = pick(random);
        state.reflectSpace = coin(random);
        state.projectReflection = coin(random);
        state.useMask = coin(random);
        state.grabRotateAxis = pick(random) % 5;
        state.flipReflectedGrabRotation = coin(random);
        state.grabScaleCode = pick(random);
        state.vectorType = pick(random);
        state.radius = 1.0 + 2.0 * std::abs(step(random));
        // Plain samples, then a run under one pair of modifiers, then plain again.
        const bool control = coin(random), shift = coin(random);
        std::vector<KVCursorSample> samples;
        double x = where(random), z = where(random);
        for (int k = 0; k < 10; ++k, x += step(random), z += step(random)) {
            KVCursorSample sample = at(x, z, control && k >= 2 && k < 8);
            sample.shift = shift && k >= 2 && k < 8;
            samples.push_back(sample);
        }
        RVMeshData whole = current, indexed = current;
        KVPSCtxData wholeState = state, indexedState = state;
        if (grabStroke) {
            const int dabMode = kModes[pick(random)];
            grabStrokeOnce(whole, wholeState, samples, dabMode, true);
            grabStrokeOnce(indexed, indexedState, samples, dabMode, false);
            grabbed += static_cast<int>(indexed.touchedVertices.size());
        } else {
            state.mode = kModes[i % 8];
            wholeState.mode = indexedState.mode = state.mode;
            strokeOnce(whole, wholeState, samples, true);
            strokeOnce(indexed, indexedState, samples, false);
        }
        expectSame(whole, indexed, wholeState, indexedState, i);
        if (HasFailure()) return;
        current = indexed;
        state = indexedState;
    }
    EXPECT_GT(grabbed, 500);
    int moved = 0;
    for (unsigned int v = 0; v < current.worldPoints.length(); ++v)
        moved += !(current.worldPoints[v] == record.worldPoints[v]);
    EXPECT_GT(moved, 500);
}

// A sphere (the grid's cells hold a curved shell), strong strokes that carry points across
// many cells, and realtimeUpdate on: each dab writes to the host mesh, the indexed walk
// only what it moved. The host's points and the world normals must match the whole-mesh
// walk's too. The host mesh is put back before each walk, as both walks share it.
TEST_F(IndexedPassTest, RealtimeStrokesOnASphereWithLargeMovesGiveTheWholeMeshResult) {
    run("delete bumpy");
    run("polySphere -r 6 -sx 40 -sy 30 -n ball");
    run("addAttr -ln RavelinSculptID -sn rvId -dt \"string\" ballShape");
    run("setAttr -type \"string\" ballShape.rvId \"0123\"");
    MSelectionList list;
    list.add("ballShape");
    RVMeshData current;
    list.getDagPath(0, current.meshPath);
    current.buildMeshRecord();
    MFnMesh mesh(current.meshPath);
    const auto hostPoints = [&mesh] {
        MPointArray p;
        mesh.getPoints(p);
        return p;
    };
    static const int kStrongModes[] = {kDisplace, kPinch, kSmooth, kBulge, kFlatten, kSmear};
    std::mt19937 random(31);
    std::uniform_real_distribution<double> where(-4.0, 4.0), step(-1.0, 1.0);
    std::bernoulli_distribution coin(0.5);
    state.spacing = 0.2;
    state.realtimeUpdate = true;
    for (int i = 0; i < 24; ++i) {
        state.mode = kStrongModes[i % 6];
        state.vectorType = (i * 5) % 11;
        state.reflectCode = i % 3 == 0 ? 1 : 0;
        state.value = 1.0 + 2.0 * std::abs(step(random));
        state.bulgeScale = state.pinchScale = 1.0;
        state.radius = 1.5 + std::abs(step(random));
        std::vector<KVCursorSample> samples;
        double x = where(random), z = where(random);
        const bool control = coin(random);
        for (int k = 0; k < 6; ++k, x += step(random), z += step(random))
            samples.push_back(at(x, z, control));

        const MPointArray start = hostPoints();
        RVMeshData whole = current, indexed = current;
        KVPSCtxData wholeState = state, indexedState = state;
        strokeOnce(whole, wholeState, samples, true);
        const MPointArray wholeHost = hostPoints();
        mesh.setPoints(const_cast<MPointArray&>(start));
        strokeOnce(indexed, indexedState, samples, false);
        expectSame(whole, indexed, wholeState, indexedState, i);
        const MPointArray indexedHost = hostPoints();
        int off = 0;
        for (unsigned int v = 0; v < wholeHost.length(); ++v)
            off += !(wholeHost[v] == indexedHost[v]) ||
                   !(whole.worldVertexNormals[v] == indexed.worldVertexNormals[v]);
        EXPECT_EQ(off, 0) << "stroke " << i;
        if (HasFailure()) return;
        current = indexed;
        state = indexedState;
    }
    int farMoved = 0;
    MPointArray now = hostPoints();
    run("polySphere -r 6 -sx 40 -sy 30 -n reference");
    MSelectionList refList;
    refList.add("referenceShape");
    MDagPath refPath;
    refList.getDagPath(0, refPath);
    MPointArray before;
    MFnMesh(refPath).getPoints(before);
    for (unsigned int v = 0; v < now.length(); ++v)
        farMoved += now[v].distanceTo(before[v]) > 0.5;
    EXPECT_GT(farMoved, 100); // points went across several cells
}
