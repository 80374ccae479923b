#pragma once
// The host started in-process with one tagged plane under an orthographic top view, a
// sculpt state of defaults, and services that hand out that plane's record with a
// falloff of 1 - t. Port (320 + 20 x, 240 - 20 z) looks straight down at world (x, 0, z).
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/KVStroke.h"
#include "sculpt/RVMeshData.h"

#include "app/Startup.h"

#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MPointArray.h>
#include <maya/MSelectionList.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

class TestServices : public KVSculptServices {
public:
    RVMeshData* record = nullptr;
    std::function<float(float)> fallOff = [](float t) { return 1.0f - t; };
    MStatus selectRecordById(const MString&) override { return MS::kSuccess; }
    RVMeshData* currentRecord() override { return record; }
    std::vector<RVMeshData*> inModelRecords() override { return {record}; }
    bool manipulatorExists() override { return true; }
    float evalFallOff(float position) override { return fallOff(position); }
};

class SculptTest : public ::testing::Test {
protected:
    SculptTest() {
        rvhost::startHost();
        run("file -f -new");
        run("hostView -camera 0 10 0 0 0 0 0 0 -1");
        run("hostView -ortho 32");
        run("hostView -size 640 480");
        makePlane("plane", 20, 20);
        state.setUp = true;
        services.record = &record;
    }

    static void run(const std::string& command) {
        ASSERT_TRUE(MGlobal::executeCommand(MString(command.c_str()))) << command;
    }

    // A tagged polyPlane of w x w units with sx x sx quads, and the record on its shape.
    void makePlane(const std::string& name, int w, int sx) {
        const std::string size = std::to_string(w), divisions = std::to_string(sx);
        run("polyPlane -w " + size + " -h " + size + " -sx " + divisions + " -sy " + divisions +
            " -n " + name);
        const std::string shape = name + "Shape";
        run("addAttr -ln RavelinSculptID -sn rvId -dt \"string\" " + shape);
        run("setAttr -type \"string\" " + shape + ".rvId \"0123\"");
        MSelectionList list;
        list.add(MString(shape.c_str()));
        list.getDagPath(0, record.meshPath);
        record.buildMeshRecord();
    }

    // A 14 x 14 plane of 40 x 40 quads with random heights in [-0.4, 0.4], under a rotated,
    // scaled and moved transform, so that the trip of the points through world space
    // rounds; the same name always gets the same heights. The record is on its shape.
    void makeBumpyPlane(const std::string& name) {
        makePlane(name, 14, 40);
        run("setAttr " + name + ".rotateY 30");
        run("setAttr " + name + ".translate 0.5 0 -0.3");
        run("setAttr " + name + ".scale 1.2 1.2 1.2");
        MFnMesh mesh(record.meshPath);
        MPointArray points;
        mesh.getPoints(points);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> height(-0.4, 0.4);
        for (unsigned int k = 0; k < points.length(); ++k)
            points[k].y = height(random);
        mesh.setPoints(points);
        record.buildMeshRecord();
    }

    static KVCursorSample at(double x, double z, bool control = false) {
        KVCursorSample s;
        s.x = static_cast<short>(std::lround(320 + 20 * x));
        s.y = static_cast<short>(std::lround(240 - 20 * z));
        s.control = control;
        return s;
    }

    KVStroke stroke() { return KVStroke(state, services); }

    // Vertex k of the plane made by makePlane("plane", 20, 20): rows along x, from z = 10.
    static MPoint gridPoint(int k) { return MPoint(-10.0 + k % 21, 0.0, 10.0 - k / 21); }
    static double planarDistance(const MPoint& a, const MPoint& b) {
        return std::hypot(a.x - b.x, a.z - b.z);
    }

    KVPSCtxData state;
    TestServices services;
    RVMeshData record;
};
