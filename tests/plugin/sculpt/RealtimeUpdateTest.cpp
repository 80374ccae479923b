// realtimeUpdate shows each dab and grab sample on the host mesh as it goes and changes
// nothing else: the same strokes on two equal meshes, one with realtime updates and one
// without, leave the records bit for bit equal after every sample (world normals
// included, which neither refreshes mid-stroke), and equal host points, host normals and
// masks after each stroke's write-back. The realtime host mesh holds the record's points
// after every sample.
#include "SculptFixture.h"

#include "sculpt/KVGrabBrush.h"

#include <maya/MFloatVectorArray.h>

#include <cstring>
#include <random>

class RealtimeUpdateTest : public SculptTest {
protected:
    RealtimeUpdateTest() {
        run("delete plane");
        quiet = makeBumpy("quiet");
        live = makeBumpy("live");
        services.fallOff = [](float t) { return 1.0f - t * t; };
    }

    // Two equal bumpy planes: each name gets the same heights.
    RVMeshData makeBumpy(const std::string& name) {
        makeBumpyPlane(name);
        return record;
    }

    // One sample on one mesh: a dab, or a grab sample (Control turns). The meshes lie on
    // each other; the other one is hidden, so that the cursor picks this one.
    void sample(RVMeshData& rec, KVPSCtxData& st, const KVCursorSample& s) {
        const bool isQuiet = &rec == &quiet;
        run(std::string("setAttr quiet.visibility ") + (isQuiet ? "1" : "0"));
        run(std::string("setAttr live.visibility ") + (isQuiet ? "0" : "1"));
        services.record = &rec;
        if (st.mode == kGrab)
            KVGrabBrush(st, services).applyGrab(s);
        else
            KVStroke(st, services).applyDab(s);
        rec.settleObjectPoints();
    }

    static void startStroke(RVMeshData& rec, KVPSCtxData& st) {
        rec.buildMeshRecord();
        rec.prevDabCentre = MPoint(0.0, 0.0, 0.0, 1.0);
        st.firstNormalTaken = st.distanceStarted = st.firstDabDone = false;
        st.grabGathered = st.grabDepthTaken = st.rotating = st.scaling = false;
        st.meshesReady = true;
    }

    static bool sameFloats(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

    // Vertices where the records differ in points, world normals or mask.
    int differingVertices() const {
        int off = 0;
        for (unsigned int v = 0; v < quiet.worldPoints.length(); ++v)
            off += !(quiet.worldPoints[v] == live.worldPoints[v]) ||
                   !(quiet.points[v] == live.points[v]) ||
                   !(quiet.worldVertexNormals[v] == live.worldVertexNormals[v]) ||
                   quiet.maskFlag[v] != live.maskFlag[v] ||
                   quiet.maskWeight[v] != live.maskWeight[v];
        return off;
    }

    // Vertices whose host point is not the record's point in single precision.
    static int hostLagsRecord(RVMeshData& rec) {
        MFnMesh mesh(rec.meshPath);
        const float* held = mesh.getRawPoints(nullptr);
        int off = 0;
        for (unsigned int v = 0; v < rec.points.length(); ++v) {
            const MPoint& p = rec.points[v];
            off += !sameFloats(held[3 * v], static_cast<float>(p.x)) ||
                   !sameFloats(held[3 * v + 1], static_cast<float>(p.y)) ||
                   !sameFloats(held[3 * v + 2], static_cast<float>(p.z));
        }
        return off;
    }

    // Vertices where the two host meshes differ in points or vertex normals.
    int hostDifferences() const {
        MFloatVectorArray quietNormals, liveNormals;
        MFnMesh quietMesh(quiet.meshPath), liveMesh(live.meshPath);
        quietMesh.getVertexNormals(false, quietNormals, MSpace::kObject);
        liveMesh.getVertexNormals(false, liveNormals, MSpace::kObject);
        MPointArray quietPoints, livePoints;
        quietMesh.getPoints(quietPoints);
        liveMesh.getPoints(livePoints);
        int off = 0;
        for (unsigned int v = 0; v < quietPoints.length(); ++v)
            off += !(quietPoints[v] == livePoints[v]) ||
                   std::memcmp(&quietNormals[v], &liveNormals[v], sizeof(MFloatVector)) != 0;
        return off;
    }

    RVMeshData quiet, live;
};

// Each dab's cursor ray meets the host mesh, which a realtime stroke has moved under the
// previous dab: the dabs of a stroke here lie far enough apart that each ray meets
// surface the stroke has not moved yet, so both meshes give the same hits. A grab casts
// only at its gather, so its samples may lie close.
TEST_F(RealtimeUpdateTest, StrokesLeaveWhatTheSameStrokesLeaveWithoutRealtimeUpdates) {
    static const int kStrokeModes[] = {kDisplace, kBulge, kSmooth, kGrab,  kPinch,
                                       kFlatten,  kMask,  kSmear,  kGrab, kDisplace};
    std::mt19937 random(23);
    std::uniform_real_distribution<double> where(-4.0, 4.0), step(-0.5, 0.5);
    std::bernoulli_distribution coin(0.5);
    state.spacing = 0.2;
    state.bulgeScale = 0.5;
    state.smearScale = 0.3; // a smear carries points along the stroke, towards the next dab
    int shownMidStroke = 0;
    for (int i = 0; i < 30; ++i) {
        SCOPED_TRACE("stroke " + std::to_string(i));
        state.mode = kStrokeModes[i % 10];
        const bool grab = state.mode == kGrab;
        state.vectorType = (i * 7) % 11; // the vertex-normal types read the world normals
        state.reflectCode = grab && i % 4 == 3 ? 1 : 0;
        state.useMask = i > 6 && coin(random);
        state.value = 0.3 + std::abs(step(random));
        state.radius = 0.7 + std::abs(step(random));
        KVPSCtxData quietState = state, liveState = state;
        liveState.realtimeUpdate = true;
        startStroke(quiet, quietState);
        startStroke(live, liveState);
        double x = grab ? where(random) : -6.0, z = where(random);
        const bool control = coin(random);
        for (int k = 0; k < (grab ? 8 : 4); ++k) {
            const KVCursorSample s = at(x, z, grab && control && k > 3);
            sample(quiet, quietState, s);
            sample(live, liveState, s);
            ASSERT_EQ(differingVertices(), 0) << "sample " << k;
            ASSERT_EQ(hostLagsRecord(live), 0) << "sample " << k;
            shownMidStroke += hostDifferences() > 0;
            x += grab ? step(random) : 3.6;
            z += step(random);
        }
        quiet.writeBackPoints();
        live.writeBackPoints();
        ASSERT_EQ(hostDifferences(), 0);
        ASSERT_EQ(differingVertices(), 0);
    }
    // The realtime mesh showed the strokes before their release.
    EXPECT_GT(shownMidStroke, 80);
}
