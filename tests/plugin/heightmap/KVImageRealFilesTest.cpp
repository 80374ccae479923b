// Files as real tools write them and files as a hostile user makes them: each must read
// right, or fail at once with a clear message, never crash or ask for gigabytes.
#include "heightmap/KVImage.h"

#include "TempFolder.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kDimensionsError =
    "PBM Error: Problem reading image dimensions. (height, width & maxVal is < 1)";

class KVImageRealFiles : public ::testing::Test {
protected:
    TempFolder folder{"kvimage_real"};
    std::string path(const std::string& name) const { return (folder.path() / name).string(); }
    void tool(const std::string& command) {
        int status = 0;
        runTool(command + " 2>/dev/null", &status);
        ASSERT_EQ(status, 0) << command;
    }
    // The grey levels of a file as netpbm reads them (top row first), over maxVal.
    std::vector<double> netpbmLevels(const std::string& command) {
        std::istringstream text(runTool(command + " | pnmtoplainpnm"));
        std::string magic;
        double w, h, maxVal, v;
        text >> magic >> w >> h >> maxVal;
        std::vector<double> levels;
        while (text >> v)
            levels.push_back(v / maxVal);
        return levels;
    }
    // The loaded grey grid, top row first (the readers put the last stored row first).
    static std::vector<double> topFirst(const KVImage& image) {
        std::vector<double> levels;
        for (size_t r = image.heightVals.size(); r-- > 0;)
            for (unsigned int c = 0; c < image.heightVals[r].length(); ++c)
                levels.push_back(image.heightVals[r][c]);
        return levels;
    }
};

TEST_F(KVImageRealFiles, HeaderCommentsFromTheToolsAndByHandAreSkipped) {
    tool("pgmramp -lr 5 3 | /usr/bin/convert - -set comment 'made by a tool' " + path("tool.pgm"));
    ASSERT_NE(runTool("head -c 40 " + path("tool.pgm")).find('#'), std::string::npos);
    KVImage fromTool;
    ASSERT_TRUE(fromTool.load(MString(path("tool.pgm").c_str()))) << fromTool.errors[0].asChar();
    EXPECT_EQ(topFirst(fromTool), netpbmLevels("pgmtopgm < " + path("tool.pgm")));

    // Comments between every field, the last one right before the single blank.
    const std::string byHand =
        folder.write("hand.pgm", "P5 #kind\n# whole line\n2 #w\n1\n#max next\n255\n\x10\x20");
    KVImage image;
    ASSERT_TRUE(image.load(MString(byHand.c_str())));
    EXPECT_DOUBLE_EQ(image.heightVals[0][0], 16 / 255.0);
    EXPECT_DOUBLE_EQ(image.heightVals[0][1], 32 / 255.0);
    KVImage info;
    ASSERT_TRUE(info.readInfo(MString(byHand.c_str())));
    EXPECT_EQ(info.width, 2u);
}

TEST_F(KVImageRealFiles, SixteenBitAnyMapsNamedPnmReadAsTheSameBytesNamedPgm) {
    tool("pgmramp -lr 7 2 | pamdepth 65535 > " + path("ramp.pnm"));
    std::filesystem::copy_file(path("ramp.pnm"), path("ramp.pgm"));
    KVImage pnm, pgm;
    ASSERT_TRUE(pnm.load(MString(path("ramp.pnm").c_str())));
    ASSERT_TRUE(pgm.load(MString(path("ramp.pgm").c_str())));
    EXPECT_EQ(pnm.bitDepth, 16u);
    EXPECT_EQ(topFirst(pnm), topFirst(pgm));
    EXPECT_EQ(topFirst(pnm), netpbmLevels("pgmtopgm < " + path("ramp.pnm")));
}

TEST_F(KVImageRealFiles, HeadersWhoseSizeOverflowsFailWithTheHeaderMessage) {
    // 4294901763 x 715838805 pixels of six bytes wrap 64 bits to 327674 bytes, which the
    // file then holds.
    const std::string header = "P6\n4294901763 715838805\n65535\n";
    const std::string file = folder.write("wrap.ppm", header + std::string(327674, '\x7f'));
    KVImage image;
    EXPECT_FALSE(image.load(MString(file.c_str())));
    ASSERT_EQ(image.errors.length(), 1u);
    EXPECT_EQ(image.errors[0], MString(kDimensionsError));
    EXPECT_TRUE(image.heightVals.empty());
}

TEST_F(KVImageRealFiles, AFolderNamedLikeAPictureFailsToOpen) {
    std::filesystem::create_directories(path("folder.pgm"));
    KVImage image;
    EXPECT_FALSE(image.load(MString(path("folder.pgm").c_str())));
    ASSERT_EQ(image.errors.length(), 1u);
    EXPECT_EQ(image.errors[0],
              MString(("PBM Error: Problem opening file: " + path("folder.pgm")).c_str()));
    KVImage info;
    EXPECT_FALSE(info.readInfo(MString(path("folder.pgm").c_str())));
}

// The same 16-bit samples laid out in strips, tiles and separate planes read alike, and as
// libtiff's own tools read them.
TEST_F(KVImageRealFiles, TiledAndSeparatePlaneTiffsReadLikeStrips) {
    folder.write(
        "grey.txt", "P2\n20 18\n65535\n" + [] {
            std::string s;
            for (int i = 0; i < 20 * 18; ++i)
                s += std::to_string(i * 181) + " ";
            return s;
        }());
    tool("/usr/bin/convert " + path("grey.txt") + " -depth 16 -compress none " +
         path("strips.tif"));
    tool("tiffcp -t -w 16 -l 16 " + path("strips.tif") + " " + path("tiles.tif"));
    KVImage strips, tiles;
    ASSERT_TRUE(strips.load(MString(path("strips.tif").c_str())));
    ASSERT_TRUE(tiles.load(MString(path("tiles.tif").c_str())));
    ASSERT_EQ(tiles.heightVals.size(), 18u);
    EXPECT_EQ(topFirst(tiles), topFirst(strips));
    EXPECT_DOUBLE_EQ(tiles.heightVals[17][19], 19 * 181 / 65536.0); // top row, last column
    EXPECT_DOUBLE_EQ(tiles.heightVals[0][17], (17 * 20 + 17) * 181 / 65536.0);

    tool("/usr/bin/convert -size 5x3 gradient:red-blue -depth 16 -compress none " +
         path("contig.tif"));
    tool("/usr/bin/convert " + path("contig.tif") + " -interlace plane " + path("planes.tif"));
    ASSERT_NE(runTool("tiffinfo " + path("planes.tif")).find("separate image planes"),
              std::string::npos);
    tool("/usr/bin/convert " + path("contig.tif") +
         " -interlace plane -define tiff:tile-geometry=16x16 " + path("tiled-planes.tif"));
    KVImage contig, planes, tiledPlanes;
    ASSERT_TRUE(contig.load(MString(path("contig.tif").c_str())));
    ASSERT_TRUE(planes.load(MString(path("planes.tif").c_str())));
    ASSERT_TRUE(tiledPlanes.load(MString(path("tiled-planes.tif").c_str())));
    EXPECT_EQ(planes.channels, 3u);
    ASSERT_EQ(planes.pixels.size(), 3u);
    for (unsigned int r = 0; r < 3; ++r) {
        for (unsigned int c = 0; c < 5; ++c) {
            EXPECT_EQ(planes.pixels[r][c], contig.pixels[r][c]) << r << "," << c;
            EXPECT_EQ(tiledPlanes.pixels[r][c], contig.pixels[r][c]) << r << "," << c;
            EXPECT_EQ(planes.heightVals[r][c], contig.heightVals[r][c]);
        }
    }
    EXPECT_GT(contig.pixels[2][0].r, 0.99f); // top row starts red, ends blue
    EXPECT_GT(contig.pixels[0][0].b, 0.99f);
}

TEST_F(KVImageRealFiles, GreyPixelsThroughTheHostGiveExactlyTheirLevel) {
    // Every level 0..255 as an RGB picture (R = G = B), made by ImageMagick.
    tool("/usr/bin/convert -size 256x1 gradient:black-white -depth 8 -type TrueColor png24:" +
         path("levels.png"));
    KVImage image;
    ASSERT_TRUE(image.load(MString(path("levels.png").c_str())));
    ASSERT_EQ(image.channels, 4u);
    const std::vector<double> expected = netpbmLevels("pngtopnm " + path("levels.png"));
    ASSERT_EQ(expected.size(), 256u * 3);
    for (unsigned int c = 0; c < 256; ++c)
        EXPECT_DOUBLE_EQ(image.heightVals[0][c], expected[3 * c]) << "level " << c;
}

// A fuzzer's find: a 16-bit TIFF whose codec reads no raw strips made libtiff abort the
// process when the reader set up a raw buffer. It now fails like any unreadable file.
TEST_F(KVImageRealFiles, TiffsLibtiffCannotDecodeFailWithoutAborting) {
    KVImage image;
    EXPECT_FALSE(image.load(
        MString(RAVELIN_SOURCE_DIR "/tests/fuzz/seeds/tiff/crash-assert-noreadraw.tif")));
    EXPECT_TRUE(image.heightVals.empty());
}

} // namespace
