// rvhost --window on a virtual X server, driven by real X input through xdotool.
#include "TempFolder.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using namespace std::chrono_literals;

// Start-up under the sanitizers on a loaded machine can be slow; these only bound a hang.
constexpr auto kStartLimit = 300s;
constexpr auto kExitLimit = 300s;
constexpr auto kPictureLimit = 120s;

// A plane seen from straight above: ortho 16 over a 640-pixel-wide view is 40 pixels a
// world unit, and the screen's up is world -z.
const char* const kSetup = R"(
polyPlane -w 12 -h 12 -sx 48 -sy 48 -n plane;
hostView -camera 0 30 0 0 0 0 0 0 -1 -ortho 16 -size 640 480;
optionVar -fv RVOption_radius 1 -fv RVOption_value 0.5 -fv RVOption_spacing 0.25;
optionVar -iv RVOption_mode 0 -iv RVOption_vectorType 1 -iv RVOption_realtimeUpdate 1;
optionVar -iv RVOption_useMask 0 -iv RVOption_reflectAxisX 0;
string $tool = `RavelinContext windowTool`;
setToolTo $tool;
RavelinContext -e -add plane $tool;
)";

struct Vertex {
    double x, y, z;
};

std::vector<Vertex> readObjVertices(const std::string& path) {
    std::vector<Vertex> vertices;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        std::string tag;
        Vertex v{};
        if (in >> tag && tag == "v" && in >> v.x >> v.y >> v.z) vertices.push_back(v);
    }
    return vertices;
}

// Height of the vertex nearest to (x, z) in plan.
double heightAt(const std::vector<Vertex>& vertices, double x, double z) {
    double best = 1e300, y = NAN;
    for (const Vertex& v : vertices) {
        const double d = (v.x - x) * (v.x - x) + (v.z - z) * (v.z - z);
        if (d < best) best = d, y = v.y;
    }
    return y;
}

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const { return &rgb[3 * (size_t(y) * width + x)]; }
};

// A binary PPM (P6, maxval 255) as ImageMagick writes it.
bool readPpm(const std::string& path, Picture& picture) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    if (!(file >> magic >> picture.width >> picture.height >> maxval) || magic != "P6" ||
        maxval != 255)
        return false;
    file.get();
    picture.rgb.resize(size_t(picture.width) * picture.height * 3);
    return bool(file.read(reinterpret_cast<char*>(picture.rgb.data()), picture.rgb.size()));
}

// The footprint's colour: the default vertex colour (0, 0.5, 1) at any brightness the
// fall-off gives it. The scene's own colours are greys.
bool footprintBlue(const unsigned char* p) {
    return p[2] >= 96 && p[2] > p[0] + 60 && p[2] > p[1] + 20;
}

int bluePixelsWithin(const Picture& picture, int cx, int cy, int radius) {
    int count = 0;
    for (int y = std::max(0, cy - radius); y <= std::min(picture.height - 1, cy + radius); ++y)
        for (int x = std::max(0, cx - radius); x <= std::min(picture.width - 1, cx + radius); ++x)
            if (footprintBlue(picture.at(x, y))) ++count;
    return count;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (x_.display().empty())
            GTEST_SKIP() << "No X server could be started (Xvfb is missing or failed), so "
                            "the window cannot be tested here.";
        setup_ = folder_.write("setup.mel", kSetup);
        obj_ = (folder_.path() / "plane.obj").string();
        registry_ = folder_.write("registry.ini",
                                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tolvenic\\"
                                  "Ravelin3Dv1x64]\nInstallPath=sz:" RAVELIN_STAGE_DIR "/\n");
    }

    // Starts rvhost with the set-up script and waits for its window line.
    bool open() {
        rvhost_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{
                RAVELIN_STAGE_DIR "/bin/rvhost", "-p", "Ravelin", setup_, "--window", "--on-close",
                "hostMesh -exportObj \"" + obj_ +
                    "\" plane; print (\"radius \" + `optionVar -q RVOption_radius` + \"\\n\");"},
            std::vector<std::string>{"DISPLAY=" + x_.display(), "QT_QPA_PLATFORM=xcb",
                                     "RVHOST_PLUGIN_PATH=" RAVELIN_STAGE_DIR "/lib",
                                     "RVHOST_REGISTRY=" + registry_});
        std::string line;
        while (rvhost_->readLine(line, kStartLimit)) {
            int x, y, w, h;
            if (std::sscanf(line.c_str(), "// Window: view %d %d %d %d", &x, &y, &w, &h) == 4) {
                left_ = x, top_ = y, width_ = w, height_ = h;
                return true;
            }
        }
        return false;
    }

    // Screen position of the world point (x, 0, z).
    std::string screen(double x, double z) const {
        const double perUnit = width_ / 16.0;
        const double px = width_ / 2.0 + x * perUnit;
        const double py = height_ / 2.0 - z * perUnit;
        const long sx = std::lround(left_ + px);
        const long sy = std::lround(top_ + height_ - 1 - py);
        return std::to_string(sx) + " " + std::to_string(sy);
    }

    // A left-button drag along z from x0 to x1 (or along x when `acrossZ`), with a key held.
    void drag(double x0, double z0, double x1, double z1, const std::string& key = "") {
        std::string command = "xdotool mousemove " + screen(x0, z0);
        if (!key.empty()) command += " keydown " + key;
        command += " mousedown 1";
        for (int i = 1; i <= 12; ++i)
            command += " mousemove " + screen(x0 + (x1 - x0) * i / 12, z0 + (z1 - z0) * i / 12);
        command += " mouseup 1";
        if (!key.empty()) command += " keyup " + key;
        ASSERT_EQ(x_.run(command), 0) << command;
    }

    TempFolder folder_{"rvhost_window"};
    XServer x_;
    std::unique_ptr<ChildProcess> rvhost_;
    std::string setup_, obj_, registry_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// Strokes plain, with Control (reversed) and with Shift (smoothing) reach the tool; Ctrl+Z
// twice takes the last two strokes back and Ctrl+Y brings the smoothing back, with the
// panel's radius box holding the keyboard (Tab twice from the view: mode, then radius), whose
// own text undo must not take the keys; two wheel notches up grow the radius by 10 % each;
// Ctrl+Q closes and the close script writes the mesh.
TEST_F(WindowTest, StrokesWithModifiersAndUndoReachTheMeshWrittenOnClose) {
    ASSERT_TRUE(open()) << rvhost_->output();
    drag(-3, -3, 3, -3);
    drag(-3, 3, 3, 3, "ctrl");
    drag(0, -4.5, 0, -1.5, "shift");
    drag(-3, 0, 3, 0);
    ASSERT_EQ(x_.run("xdotool mousemove " + screen(0, 5) +
                     " key Tab key Tab key ctrl+z key ctrl+z key ctrl+y click 4 click 4"),
              0);
    ASSERT_EQ(x_.run("xdotool key ctrl+q"), 0);
    ASSERT_EQ(rvhost_->wait(kExitLimit), 0) << rvhost_->output();
    const size_t at = rvhost_->output().find("radius ");
    ASSERT_NE(at, std::string::npos) << rvhost_->output();
    EXPECT_NEAR(std::stod(rvhost_->output().substr(at + 7)), 1.21, 1e-9);

    const std::vector<Vertex> v = readObjVertices(obj_);
    ASSERT_EQ(v.size(), 49u * 49u);
    // The ridge, raised all along (the crest varies a little with where dabs fell).
    const double ridge = std::min(heightAt(v, -2, -3), heightAt(v, 2, -3));
    EXPECT_GT(ridge, 0.5);
    // The trough, made with Control held.
    EXPECT_LT(std::max(heightAt(v, -2, 3), heightAt(v, 2, 3)), -0.5);
    // Smoothing across the ridge lowered its crest there.
    EXPECT_LT(heightAt(v, 0, -3), ridge - 0.1) << ridge;
    // The last stroke was undone: its row is flat, and so is the plane away from the strokes.
    for (double x : {-2.0, 0.0, 2.0})
        EXPECT_NEAR(heightAt(v, x, 0), 0.0, 1e-6) << x;
    EXPECT_NEAR(heightAt(v, -5, 5), 0.0, 1e-6);
}

// A hover draws the brush footprint, in the vertex colour, around the cursor and nowhere
// else.
TEST_F(WindowTest, HoverShowsTheFootprintUnderTheCursor) {
    ASSERT_TRUE(open()) << rvhost_->output();
    ASSERT_EQ(x_.run("xdotool mousemove " + screen(2, 2)), 0);
    const std::string shot = (folder_.path() / "shot.ppm").string();
    const int cx = left_ + width_ / 2 + 2 * width_ / 16;
    const int cy = top_ + height_ - 1 - (height_ / 2 - 2 * width_ / 16);
    const int brush = width_ / 16; // the radius, 1 world unit, in pixels
    Picture picture;
    int near = 0;
    const auto deadline = std::chrono::steady_clock::now() + kPictureLimit;
    while (near == 0 && std::chrono::steady_clock::now() < deadline) {
        ASSERT_EQ(x_.run("import -window root -depth 8 \"" + shot + "\""), 0);
        ASSERT_TRUE(readPpm(shot, picture));
        near = bluePixelsWithin(picture, cx, cy, brush + 2);
    }
    EXPECT_GT(near, 10);
    // Far from the cursor (the other side of the view) there is none.
    EXPECT_EQ(bluePixelsWithin(picture, left_ + width_ / 4, top_ + height_ / 4, 2 * brush), 0);
    ASSERT_EQ(x_.run("xdotool key ctrl+q"), 0);
    EXPECT_EQ(rvhost_->wait(kExitLimit), 0) << rvhost_->output();
}

} // namespace
