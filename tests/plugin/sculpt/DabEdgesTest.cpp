// The edges of a dab that the mode tests do not reach: a vertex exactly one radius away,
// mask weights driven past zero, the two brush vectors built from vertex normals and from
// the centre-normal stack, and the mask coming back with undo and redo.
#include "SculptFixture.h"

#include "sculpt/KVDozaVeroveToolCmd.h"

#include <vector>

namespace {
const MPoint kHit(2.3, 0.0, 1.2);
constexpr int kNear = 21 * 9 + 12;  // the vertex at (2, 0, 1)
constexpr int kBump = 21 * 9 + 14;  // the vertex at (4, 0, 1)
constexpr double kRadius = 3.0;

double fall(const MPoint& p) {
    const double d = p.distanceTo(kHit);
    return d <= kRadius ? 1.0 - d / kRadius : 0.0;
}
bool onRim(const MPoint& p) {
    return std::fabs(std::hypot(p.x - kHit.x, p.z - kHit.z) - kRadius) < 1e-4;
}
} // namespace

class DabEdgesTest : public SculptTest {
protected:
    DabEdgesTest() { state.radius = kRadius; }

    void dab(bool control = false) {
        ASSERT_EQ(stroke().applyDab(at(kHit.x, kHit.z, control)), MS::kSuccess);
    }
};

TEST_F(DabEdgesTest, AVertexExactlyOneRadiusAwayIsReached) {
    // A fall-off that is not zero at the rim shows whether the rim vertex was reached.
    services.fallOff = [](float t) { return 1.0f - 0.5f * t; };
    state.mode = kNoDeform;
    dab(); // places the brush: its centre is wherever the cursor ray met the plane
    const MPoint centre = record.instanceCentres[0];
    const MPoint p = record.worldPoints[kBump];
    const double dx = p.x - centre.x, dy = p.y - centre.y, dz = p.z - centre.z;
    state.radius = std::sqrt(dx * dx + dy * dy + dz * dz);
    state.mode = kDisplace;
    state.spacing = 0.0;
    dab();
    ASSERT_EQ(record.instanceCentres[0], centre);
    EXPECT_NEAR(record.worldPoints[kBump].y, 0.5, 1e-6); // F(1) = 1/2
    EXPECT_EQ(record.dabTouchCount[kBump], 1);
    EXPECT_EQ(record.worldPoints[kBump + 1].y, 0.0); // a unit further out
    const double inside = MPoint(2, 0, 1).distanceTo(centre) / state.radius;
    EXPECT_NEAR(record.worldPoints[kNear].y, 1.0 - 0.5 * inside, 1e-6);
}

TEST_F(DabEdgesTest, MaskWeightsStopAtZeroAndRiseNoHigherThanOne) {
    services.fallOff = [](float) { return 1.0f; };
    state.mode = kMask;
    const int weak = kNear, spent = kNear + 1, fresh = kNear - 1;
    record.maskFlag[weak] = true;
    record.maskWeight[weak] = 0.3;
    record.maskFlag[spent] = true;
    record.maskWeight[spent] = 0.0;
    state.maskScale = 0.5;
    dab();
    EXPECT_EQ(record.maskWeight[weak], 0.0); // 0.3 - 0.5 stops at zero exactly
    EXPECT_EQ(record.maskWeight[spent], 0.0);
    EXPECT_EQ(record.maskWeight[fresh], 0.5);
    EXPECT_TRUE(record.maskFlag[weak] && record.maskFlag[fresh]);

    state.spacing = 0.0;
    dab(true); // raised by 0.5: exactly one is freed, zero stays flagged
    EXPECT_EQ(record.maskWeight[fresh], 1.0);
    EXPECT_FALSE(record.maskFlag[fresh]);
    EXPECT_EQ(record.maskWeight[weak], 0.5);
    EXPECT_TRUE(record.maskFlag[weak]);
    state.maskScale = 0.75;
    dab(true); // 0.5 + 0.75 stops at one; an unflagged vertex is left alone
    EXPECT_EQ(record.maskWeight[weak], 1.0);
    EXPECT_FALSE(record.maskFlag[weak]);
    EXPECT_EQ(record.maskWeight[fresh], 1.0);
}

TEST_F(DabEdgesTest, BrushVectorsBlendedWithVertexNormalsFollowTheirFormulas) {
    // The cursor's face is flat, so V = (0, 1, 0); beside a raised vertex the normals lean.
    MFnMesh(record.meshPath).setPoint(kBump, MPoint(4.0, 1.0, 1.0));
    const int beside[] = {kBump - 1, kBump + 1, kBump - 21, kBump + 21, kBump - 22};
    const MVector up(0, 1, 0);
    struct Blend {
        BrushVectorType type;
        std::function<MVector(const MVector& n, double f)> vector;
    };
    const Blend blends[] = {
        {kFaceVertexAverage, [&](const MVector& n, double) { return (up + n) / 2.0; }},
        {kFalloffBlend, [&](const MVector& n, double f) { return (up * f + n * (1 - f)).normal(); }},
    };
    for (const Blend& blend : blends) {
        record.buildMeshRecord();
        record.prevDabCentre = MPoint();
        state.vectorType = blend.type;
        dab();
        for (int k : beside) {
            const MPoint p = gridPoint(k);
            const MVector n = record.worldVertexNormals[k];
            ASSERT_GT(up.angle(n), 0.05) << k; // the test needs leaning normals
            const MVector expected = blend.vector(n, fall(p)) * fall(p);
            const MVector moved = record.worldPoints[k] - p;
            EXPECT_NEAR((moved - expected).length(), 0.0, 1e-6) << blend.type << " " << k;
        }
    }
}

TEST_F(DabEdgesTest, CenterNormalStackMovesAlongTheMeanOfTheTrimmedStack) {
    state.vectorType = kCenterNormalStack;
    state.centerNormalStackSize = 3;
    for (int i = 0; i < 4; ++i)
        state.centreNormalStacks[0].append(MVector(1, 0, 0)); // left by earlier strokes
    dab();
    // The face normal joins the stack and the oldest two go: x, x, y.
    ASSERT_EQ(state.centreNormalStacks[0].length(), 3u);
    EXPECT_EQ(state.centreNormalStacks[0][2], MVector(0, 1, 0));
    const MVector mean(2.0 / 3.0, 1.0 / 3.0, 0.0);
    EXPECT_NEAR((state.centreNormals[0] - mean).length(), 0.0, 1e-12);
    EXPECT_NEAR((state.instanceDisplayVectors[0] - mean).length(), 0.0, 1e-12);
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        if (onRim(p)) continue;
        EXPECT_NEAR(record.worldPoints[k].x, p.x + mean.x * fall(p), 1e-6) << k;
        EXPECT_NEAR(record.worldPoints[k].y, mean.y * fall(p), 1e-6) << k;
    }
}

TEST_F(DabEdgesTest, UndoAndRedoBringBackPaintedMaskWeightsAndFlags) {
    // The tool command steps the records the installed services hand out.
    struct Installed {
        explicit Installed(KVSculptServices* s) { KVSculptServices::install(s); }
        ~Installed() { KVSculptServices::install(nullptr); }
    } installed(&services);
    state.mode = kMask;
    record.maskFlag[kBump] = true;
    record.maskWeight[kBump] = 0.25; // painted by an earlier stroke
    ASSERT_EQ(stroke().beginStroke(at(kHit.x, kHit.z)), MS::kSuccess);
    const std::vector<bool> paintedFlags = record.maskFlag;
    const std::vector<double> paintedWeights = record.maskWeight;
    ASSERT_EQ(paintedWeights[kBump], 0.0);
    ASSERT_TRUE(paintedFlags[kNear]);

    KVDozaVeroveToolCmd command;
    ASSERT_EQ(command.undoIt(), MS::kSuccess);
    for (int k = 0; k < 441; ++k) {
        EXPECT_EQ(record.maskFlag[k], k == kBump) << k;
        EXPECT_EQ(record.maskWeight[k], k == kBump ? 0.25 : 1.0) << k;
    }
    ASSERT_EQ(command.redoIt(), MS::kSuccess);
    EXPECT_EQ(record.maskFlag, paintedFlags);
    EXPECT_EQ(record.maskWeight, paintedWeights);
    ASSERT_EQ(command.undoIt(), MS::kSuccess);
    EXPECT_EQ(record.maskWeight[kNear], 1.0);
    EXPECT_FALSE(record.maskFlag[kNear]);
}
