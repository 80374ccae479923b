// The undo history of a record: stepping back and forward over strokes with values
// worked by hand (whole-mesh heights), the host's undo length, masks, the storage a small
// stroke adds, and random sequences of strokes (every mode, grab and mask included),
// undos and redos against a history of whole-mesh copies that follows the same cursor
// rules: the restored points, normals and mask must be the copies' bit for bit.
#include "SculptFixture.h"

#include "sculpt/KVGrabBrush.h"

#include <maya/MFloatVectorArray.h>
#include <maya/MFnMeshData.h>

#include <cstring>
#include <random>

namespace {
// The whole-mesh snapshot history: each entry a full copy of the live mesh.
class ReferenceHistory {
public:
    struct Entry {
        MObject copy;
        std::vector<bool> flags;
        std::vector<double> weights;
    };

    void push(const RVMeshData& record) {
        int infinite = 0, length = 0;
        MGlobal::executeCommand("undoInfo -q -infinity", infinite);
        MGlobal::executeCommand("undoInfo -q -length", length);
        const int size = static_cast<int>(entries_.size());
        if (lastStep_ == 2 && cursor_ >= 0 && cursor_ < size)
            entries_.erase(entries_.begin() + cursor_, entries_.end());
        else if (cursor_ >= 0 && cursor_ < size - 1)
            entries_.erase(entries_.begin() + cursor_ + 1, entries_.end());
        Entry entry;
        MFnMeshData data;
        entry.copy = data.create();
        MFnMesh().copy(record.meshPath.node(), entry.copy);
        entry.flags = record.maskFlag;
        entry.weights = record.maskWeight;
        entries_.push_back(entry);
        if (infinite == 0)
            while (static_cast<int>(entries_.size()) > length)
                entries_.erase(entries_.begin());
        lastStep_ = 0;
        cursor_ = static_cast<int>(entries_.size()) - 1;
    }
    // The entry an undo restores, or null when it changes nothing.
    const Entry* undo(const RVMeshData& record) {
        if (cursor_ == static_cast<int>(entries_.size()) - 1 && lastStep_ == 0) {
            push(record);
            cursor_ -= 1;
        }
        if (cursor_ < 0 || entries_.empty()) return nullptr;
        if (lastStep_ == 2 && --cursor_ < 0) return nullptr;
        lastStep_ = 1;
        return &entries_[cursor_--];
    }
    const Entry* redo() {
        if (entries_.empty()) return nullptr;
        const int last = static_cast<int>(entries_.size()) - 1;
        cursor_ = cursor_ >= last ? last : std::min(cursor_ + (lastStep_ == 1 ? 2 : 1), last);
        lastStep_ = 2;
        return &entries_[cursor_];
    }

private:
    std::vector<Entry> entries_;
    int cursor_ = -1;
    int lastStep_ = 0;
};

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
} // namespace

class HistoryTest : public SculptTest {
protected:
    HistoryTest() {
        run("undoInfo -infinity on");
        run("delete plane");
        makePlane("fine", 20, 60);
    }

    // Every point's height, as a "stroke" that the test can tell apart from others.
    void setHeight(double y) {
        MFnMesh mesh(record.meshPath);
        MPointArray points;
        mesh.getPoints(points);
        for (unsigned int v = 0; v < points.length(); ++v)
            points[v].y = y;
        mesh.setPoints(points);
        record.buildMeshRecord();
    }
    void strokeToHeight(double y) {
        record.snapshotForStroke();
        setHeight(y);
    }
    double height(int v = 0) const {
        MPoint p;
        MFnMesh(record.meshPath).getPoint(v, p);
        return p.y;
    }

    void expectLiveIs(const ReferenceHistory::Entry& entry, const std::string& when) {
        MPointArray live, saved;
        MFnMesh(record.meshPath).getPoints(live);
        MFnMesh(entry.copy).getPoints(saved);
        ASSERT_EQ(live.length(), saved.length()) << when;
        int pointsOff = 0, normalsOff = 0;
        for (unsigned int v = 0; v < live.length(); ++v)
            for (int a = 0; a < 3; ++a)
                pointsOff += !sameBits(live[v][a], saved[v][a]);
        MFloatVectorArray liveNormals, savedNormals;
        MFnMesh(record.meshPath).getNormals(liveNormals);
        MFnMesh(entry.copy).getNormals(savedNormals);
        ASSERT_EQ(liveNormals.length(), savedNormals.length()) << when;
        for (unsigned int v = 0; v < liveNormals.length(); ++v)
            normalsOff += std::memcmp(&liveNormals[v], &savedNormals[v], 3 * sizeof(float)) != 0;
        EXPECT_EQ(pointsOff, 0) << when;
        EXPECT_EQ(normalsOff, 0) << when;
        EXPECT_EQ(record.maskFlag, entry.flags) << when;
        ASSERT_EQ(record.maskWeight.size(), entry.weights.size()) << when;
        int weightsOff = 0;
        for (size_t v = 0; v < entry.weights.size(); ++v)
            weightsOff += !sameBits(record.maskWeight[v], entry.weights[v]);
        EXPECT_EQ(weightsOff, 0) << when;
    }

    // A stroke of a random mode, place and size, pressed, dragged and released as the tool
    // does it; the reference snapshots at the press as the stroke does.
    void randomStroke(std::mt19937& random, ReferenceHistory& reference) {
        static const int kModes[] = {kDisplace, kSmooth, kMask, kGrab, kPinch, kBulge};
        std::uniform_real_distribution<double> place(-8.0, 8.0), size(0.8, 4.0), value(0.2, 3.0);
        std::bernoulli_distribution coin(0.5);
        state = KVPSCtxData();
        state.setUp = state.meshesReady = true;
        state.mode = kModes[random() % 6];
        state.radius = size(random);
        state.value = value(random);
        state.useMask = coin(random);
        state.spacing = 0.0;
        double x = place(random), z = place(random);
        reference.push(record);
        ASSERT_TRUE(stroke().beginStroke(at(x, z, coin(random))));
        const int drags = 2 + static_cast<int>(random() % 5);
        for (int k = 0; k < drags; ++k) {
            x += place(random) / 8.0;
            z += place(random) / 8.0;
            if (state.mode == kGrab)
                KVGrabBrush(state, services).applyGrab(at(x, z));
            else
                stroke().applyDab(at(x, z, coin(random)));
        }
        record.writeBackPoints();
        expectRecordAsBuiltAfresh();
    }

    // After the release the record is what a fresh build of the mesh makes (the release
    // brings only what changed up to date).
    void expectRecordAsBuiltAfresh() {
        RVMeshData fresh;
        fresh.meshPath = record.meshPath;
        ASSERT_TRUE(fresh.buildMeshRecord());
        const unsigned int n = fresh.points.length();
        ASSERT_EQ(record.points.length(), n);
        int off = 0;
        for (unsigned int v = 0; v < n; ++v) {
            off += !(record.points[v] == fresh.points[v]) ||
                   !(record.worldPoints[v] == fresh.worldPoints[v]) ||
                   !(record.dabStartPoint(v) == fresh.worldPoints[v]) ||
                   !(record.worldVertexNormals[v] == fresh.worldVertexNormals[v]) ||
                   record.strokeAmount[v] != 0.0 || record.strokeTouched[v] ||
                   record.vertexRecords[v].touched || record.dabTouchCount[v] != 0;
        }
        EXPECT_EQ(off, 0);
        // The grid finds every point of a ball.
        const double centre[3] = {1.0, 0.0, -2.0};
        std::vector<int> found;
        record.grid.forEachInBalls(centre, 3.0, 1, [&](int v, std::uint32_t) {
            if (record.worldPoints[v].distanceTo(MPoint(1.0, 0.0, -2.0)) <= 3.0) found.push_back(v);
        });
        int inside = 0;
        for (unsigned int v = 0; v < n; ++v)
            inside += record.worldPoints[v].distanceTo(MPoint(1.0, 0.0, -2.0)) <= 3.0;
        EXPECT_EQ(static_cast<int>(found.size()), inside);
    }
};

TEST_F(HistoryTest, UndoAndRedoAlternateBetweenTheStatesBeforeAndAfterAStroke) {
    strokeToHeight(1.0);
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(record.undoStep());
        EXPECT_EQ(height(), 0.0);
        EXPECT_TRUE(record.redoStep());
        EXPECT_EQ(height(), 1.0);
    }
}

TEST_F(HistoryTest, TwoUndosUndoTwoStrokesAndTwoRedosRedoThem) {
    strokeToHeight(1.0);
    strokeToHeight(2.0);
    record.undoStep();
    EXPECT_EQ(height(), 1.0);
    record.undoStep();
    EXPECT_EQ(height(), 0.0);
    record.redoStep();
    EXPECT_EQ(height(), 1.0);
    record.redoStep();
    EXPECT_EQ(height(), 2.0);
}

// After a redo the live mesh is the entry at the cursor: a stroke then must not leave a
// second copy of it for the undo after next to land on.
TEST_F(HistoryTest, AStrokeAfterARedoIsUndoneAndThenTheRedoneStroke) {
    strokeToHeight(1.0);
    record.undoStep();
    record.redoStep();
    EXPECT_EQ(height(), 1.0);
    strokeToHeight(2.0);
    record.undoStep();
    EXPECT_EQ(height(), 1.0);
    record.undoStep();
    EXPECT_EQ(height(), 0.0);
    record.redoStep();
    EXPECT_EQ(height(), 1.0);
    record.redoStep();
    EXPECT_EQ(height(), 2.0);
}

TEST_F(HistoryTest, TheHostsUndoLengthIsReadAtEverySnapshot) {
    run("undoInfo -infinity off");
    run("undoInfo -length 2");
    for (int k = 1; k <= 5; ++k)
        strokeToHeight(k);
    EXPECT_EQ(record.history.entries.size(), 2u);
    EXPECT_TRUE(record.undoStep());
    EXPECT_EQ(height(), 4.0);
    // The entries reach no further: the mesh stays.
    EXPECT_FALSE(record.undoStep());
    EXPECT_EQ(height(), 4.0);
    run("undoInfo -length 4");
    strokeToHeight(6.0);
    strokeToHeight(7.0);
    strokeToHeight(8.0);
    EXPECT_EQ(record.history.entries.size(), 4u);
    run("undoInfo -infinity on");
    for (int k = 9; k <= 14; ++k)
        strokeToHeight(k);
    EXPECT_EQ(record.history.entries.size(), 10u);
}

TEST_F(HistoryTest, UndoBringsBackTheMaskWithThePoints) {
    record.maskFlag[5] = true;
    record.maskWeight[5] = 0.25;
    record.snapshotForStroke();
    record.maskFlag[5] = false;
    record.maskWeight[5] = 1.0;
    record.maskFlag[700] = true;
    record.maskWeight[700] = 0.5;
    setHeight(3.0);
    record.undoStep();
    EXPECT_EQ(height(), 0.0);
    EXPECT_TRUE(record.maskFlag[5]);
    EXPECT_EQ(record.maskWeight[5], 0.25);
    EXPECT_FALSE(record.maskFlag[700]);
    EXPECT_EQ(record.maskWeight[700], 1.0);
    record.redoStep();
    EXPECT_EQ(height(), 3.0);
    EXPECT_FALSE(record.maskFlag[5]);
    EXPECT_EQ(record.maskWeight[700], 0.5);
}

// A stroke that moves a few vertices adds their blocks, not a copy of the mesh.
TEST_F(HistoryTest, ASmallStrokeAddsLittleStorage) {
    record.snapshotForStroke();
    const size_t first = record.history.storageBytes();
    // Points 12 bytes, all different; the flat plane's normals and the clear mask are runs
    // of equal blocks, held once.
    EXPECT_GE(first, 3721u * 12u);
    EXPECT_LT(first, 3721u * 20u);
    const size_t wholeCopy = 3721u * (12u + 12u + 9u);
    const size_t strokes = 10;
    for (size_t k = 0; k < strokes; ++k) {
        MFnMesh mesh(record.meshPath);
        MPoint p;
        mesh.getPoint(static_cast<int>(300 * k + 40), p);
        p.y += 1.0;
        mesh.setPoint(static_cast<int>(300 * k + 40), p);
        record.buildMeshRecord();
        record.snapshotForStroke();
    }
    const size_t perStroke = (record.history.storageBytes() - first) / strokes;
    EXPECT_LT(perStroke, wholeCopy / 10);
    // And the snapshots still restore their states: the first undo keeps the last state
    // for redo and restores the last snapshot (the same), each further one goes back one.
    for (size_t k = 0; k < strokes; ++k)
        record.undoStep();
    EXPECT_EQ(height(40), 1.0);
    EXPECT_EQ(height(340), 0.0);
    record.undoStep();
    EXPECT_EQ(height(40), 0.0);
}

TEST_F(HistoryTest, RandomStrokesUndosAndRedosMatchWholeMeshCopies) {
    for (unsigned int seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        ReferenceHistory reference;
        // The registration's first entry.
        record.history = SculptHistory();
        record.snapshotForStroke();
        reference.push(record);
        for (int op = 0; op < 40; ++op) {
            const std::string when = "seed " + std::to_string(seed) + ", op " + std::to_string(op);
            const unsigned int pick = random() % 10;
            if (pick < 4) {
                if (random() % 4 == 0)
                    run(random() % 2 ? "undoInfo -infinity on"
                                     : "undoInfo -infinity off; undoInfo -length " +
                                           std::to_string(1 + random() % 4));
                randomStroke(random, reference);
            } else if (pick < 7) {
                const ReferenceHistory::Entry* expected = reference.undo(record);
                ASSERT_EQ(record.undoStep(), expected != nullptr) << when;
                if (expected) expectLiveIs(*expected, when + " (undo)");
            } else {
                const ReferenceHistory::Entry* expected = reference.redo();
                ASSERT_EQ(record.redoStep(), expected != nullptr) << when;
                if (expected) expectLiveIs(*expected, when + " (redo)");
            }
            if (HasFailure()) return;
        }
    }
}
