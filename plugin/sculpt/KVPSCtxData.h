#pragma once
// The one process-wide sculpt state: every setting of the tool (base and working copies),
// the tool flags, the stroke state of the dab and grab code, and what the two display
// paths read. Plain fields: the stroke code, the context and the display all run on the
// host's main thread and share it without locks.
#include <maya/MColor.h>
#include <maya/MEvent.h>
#include <maya/MPointArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTimer.h>
#include <maya/MVector.h>
#include <maya/MVectorArray.h>

#include <array>

enum SculptMode {
    kDisplace = 0,
    kSmooth = 1,
    kBulge = 2,
    kFlatten = 3,
    kPinch = 4,
    kGrab = 5,
    kMask = 6,
    kSmear = 7,
    kNoDeform = 8
};

enum BrushVectorType {
    kObjectX = 0,
    kObjectY = 1,
    kObjectZ = 2,
    kViewRay = 3,
    kFaceNormal = 4,
    kVertexNormal = 5,
    kStrokeNormal = 6,
    kDragDirection = 7,
    kFaceVertexAverage = 8,
    kFalloffBlend = 9,
    kCenterNormalStack = 10
};

// At most 1 + 7 mirror images.
constexpr int kMaxBrushInstances = 8;

// A screen point of the grab dial, in port pixels.
struct KVPortPoint {
    short x = 0;
    short y = 0;
};

// Pen settings for one quantity (value, radius, spacing, mask scale).
struct KVPenSetting {
    bool enabled = false;
    int source = 0; // 0 pressure, 1 tilt
    int mode = 0;   // 0 multiply, 1 add
    double scale = 1.0;
};

class KVPSCtxData {
public:
    KVPSCtxData();

    // The instance constructed at library load.
    static KVPSCtxData& instance();

    // Reads every RVOption_ variable that exists, then the derived values and base copies.
    MStatus loadSculptSettings();
    // Working value, radius, spacing, mask scale, mode and vector type from their bases.
    void restoreWorkingSettings();
    // The ReflectionCode of three mirror flags taken as (first, second, third).
    static int reflectionCode(bool first, bool second, bool third);

    // ---- settings (working copies)
    double radius = 20.0;
    double fallOff = 1.0;
    double value = 1.0;
    double hValue = 1.0;
    double accumCapValue = 20.0;
    double spacing = 1.0;
    double smoothScale = 0.4;
    double pinchScale = 0.025;
    double smearScale = 5.0;
    double maskScale = 1.0;
    double flatScale = 0.1;
    double bulgeScale = 0.0;
    double dSubdivAreaTolerance = 10.0;
    double continuousThreshold = 1.0;
    int centerNormalStackSize = 10;
    int mode = kDisplace;
    int vectorType = kObjectY;
    int vertexAreaSelection = 0;
    int vertexSearchArea = 0;
    int reflectSpace = 0;
    int grabRotateAxis = 3;
    bool useAccumulation = true;
    bool useAccumCap = false;
    bool useMask = false;
    bool realtimeUpdate = false;
    bool reflectAxisX = false;
    bool reflectAxisY = false;
    bool reflectAxisZ = false;
    bool grabScaleAxisX = true;
    bool grabScaleAxisY = true;
    bool grabScaleAxisZ = true;
    bool flipReflectedGrabRotation = true;
    bool projectReflection = false;
    bool continuousMouse = false;
    // Derived by the load.
    int reflectCode = 0;
    int grabScaleCode = 7;
    double brushDiameter = 40.0;

    // ---- base copies (what the option variables said)
    double baseValue = 1.0;
    double baseHValue = 1.0;
    double baseFallOff = 1.0;
    double baseRadius = 20.0;
    double baseSpacing = 1.0;
    double baseMaskScale = 1.0;
    int baseMode = kDisplace;
    int baseVectorType = kObjectY;

    // ---- pen (value, radius, spacing, mask scale in that order)
    std::array<KVPenSetting, 4> pen{};
    int tabletAssignEraserTool = kSmooth;

    // ---- envelopes
    bool useValueEnvelope = false;
    bool useRadiusEnvelope = false;
    int valueEnvelopeMode = 1;
    int radiusEnvelopeMode = 1;
    double valueEnvelopeTime = 3.0;
    double radiusEnvelopeTime = 3.0;
    double valueEnvelopeDistance = 90.0;
    double radiusEnvelopeDistance = 90.0;
    float valueEnvelopePosition = 0.0f;
    float radiusEnvelopePosition = 0.0f;
    MString valueEnvelopeString;
    MString radiusEnvelopeString;
    MString fallOffRampString;

    // ---- display
    float vertexSize = 3.0f;
    float normalDisplayScale = 20.0f;
    float lineWidth = 2.0f;
    short cursorRadius = 20;
    bool displayCenterNormal = false;
    MColor vertexColor{0.0f, 0.5f, 1.0f, 1.0f};
    MColor maskColor{1.0f, 0.5f, 0.0f, 1.0f};
    MColor grabRotateColor{0.25f, 0.85f, 0.05f, 1.0f};

    // ---- tool flags
    bool setUp = false;
    bool meshesReady = false;
    bool strokeActive = false;
    bool inToolCommandDo = false;
    bool meshModified = false;
    bool displayDirty = false;
    MEvent setupEvent;

    // ---- stroke state
    short cursorX = 0;
    short cursorY = 0;
    short prevCursorX = 0;
    short prevCursorY = 0;
    bool controlHeld = false;
    bool shiftHeld = false;
    bool firstNormalTaken = false;
    bool distanceStarted = false;
    bool firstDabDone = false;
    double strokeDistanceA = 0.0;
    double strokeDistanceB = 0.0;
    double strokeTime = 0.0;
    MTimer strokeTimer;
    std::array<MVector, kMaxBrushInstances> instanceDragDirections{};
    MVectorArray instanceDisplayVectors{kMaxBrushInstances, MVector()};
    std::array<MVectorArray, kMaxBrushInstances> centreNormalStacks{};
    std::array<MVector, kMaxBrushInstances> centreNormals{};

    // ---- grab state (written by the grab brush)
    bool grabGathered = false;
    bool grabDepthTaken = false;
    double grabDepth = 0.0;
    MPointArray grabPivots;
    // The instance brush vectors of the gather (a rotation axis choice).
    MVectorArray grabVectors;
    bool rotating = false;
    bool scaling = false;
    KVPortPoint dialCentre;
    short dialSize = 100;
    double dialAngle = 0.0;
    double dialBaseAngle = 0.0;
    int dialWarmUp = 0;
    std::array<KVPortPoint, 4> rotateDialPoints{};
    std::array<KVPortPoint, 4> scaleDialPoints{};
    bool showRotateDial = false;
    bool showScaleDial = false;
    bool strokeFinished = true;

private:
    void loadFlags();
    void loadNumbers();
    void loadColours();
    void deriveAndBase();
};
