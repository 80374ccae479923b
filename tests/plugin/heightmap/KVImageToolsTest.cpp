// KVImage against the outside tools on the paths the other suites leave out: files that
// netpbm's pamtopnm and ImageMagick write, and the tags and samples of our files as
// tiffdump, identify and pnmtopng see them.
#include "heightmap/KVImage.h"

#include "TempFolder.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class KVImageTools : public ::testing::Test {
protected:
    TempFolder folder{"kvimage_tools"};
    std::string path(const std::string& name) const { return (folder.path() / name).string(); }
    // Runs a shell pipeline that must succeed and gives its output.
    std::string tool(const std::string& command) {
        int status = 0;
        const std::string output = runTool(command + " 2>/dev/null", &status);
        EXPECT_EQ(status, 0) << command;
        return output;
    }
};

TEST_F(KVImageTools, AnyMapsFromPamtopnmReadWithTheirMaxValAndRowOrder) {
    const std::string grey = folder.write("g.txt", "P2\n3 2\n1000\n1 2 3\n4 5 999\n");
    tool("pamtopam < " + grey + " | pamtopnm > " + path("g.pgm"));
    KVImage image;
    ASSERT_TRUE(image.load(MString(path("g.pgm").c_str())));
    EXPECT_EQ(image.bitDepth, 16u);
    ASSERT_EQ(image.heightVals.size(), 2u);
    EXPECT_DOUBLE_EQ(image.heightVals[0][2], 0.999); // the last stored row first
    EXPECT_DOUBLE_EQ(image.heightVals[1][0], 0.001);

    const std::string colour = folder.write("c.txt", "P3\n1 1\n255\n255 0 0\n");
    tool("pamtopam < " + colour + " | pamtopnm > " + path("c.ppm"));
    KVImage red;
    ASSERT_TRUE(red.load(MString(path("c.ppm").c_str())));
    EXPECT_EQ(red.channels, 3u);
    EXPECT_NEAR(red.heightVals[0][0], 0.30, 1e-6);
}

TEST_F(KVImageTools, WideBinaryColourMapsKeepEachChannel) {
    const std::string colour =
        folder.write("w.txt", "P3\n2 1\n65535\n65535 0 1000 0 32768 65535\n");
    tool("pamtopam < " + colour + " | pamtopnm > " + path("w.ppm"));
    KVImage image;
    ASSERT_TRUE(image.load(MString(path("w.ppm").c_str())));
    EXPECT_FALSE(image.isAscii);
    EXPECT_EQ(image.bitDepth, 16u);
    ASSERT_EQ(image.pixels.size(), 1u);
    const MColor& first = image.pixels[0][0];
    EXPECT_EQ(first.r, 1.0f);
    EXPECT_EQ(first.g, 0.0f);
    EXPECT_EQ(first.b, static_cast<float>(1000 / 65535.0));
    const MColor& second = image.pixels[0][1];
    EXPECT_EQ(second.g, static_cast<float>(32768 / 65535.0));
    EXPECT_EQ(second.b, 1.0f);
    // Grey is the channels weighed 0.30, 0.59, 0.11 (single-precision weights).
    EXPECT_DOUBLE_EQ(image.heightVals[0][1],
                     double(0.59f) * (32768 / 65535.0) + double(0.11f) * 1.0);
}

TEST_F(KVImageTools, SixteenBitTiffsFromImageMagickReadAsTheirSamples) {
    const std::string text = folder.write("t.pgm", "P2\n2 2\n65535\n0 256\n32768 65535\n");
    tool("/usr/bin/convert " + text + " -depth 16 " + path("t.tif"));
    KVImage image;
    ASSERT_TRUE(image.load(MString(path("t.tif").c_str())));
    EXPECT_EQ(image.bitDepth, 16u);
    EXPECT_EQ(image.heightVals[0][0], 32768 / 65536.0);
    EXPECT_EQ(image.heightVals[1][1], 256 / 65536.0);
}

TEST_F(KVImageTools, EightBitTiffsGoThroughTheHostWithItsRowOrder) {
    const std::string text = folder.write("e.pgm", "P2\n2 2\n255\n0 51\n102 255\n");
    tool("/usr/bin/convert " + text + " -depth 8 -compress lzw " + path("e.tif"));
    KVImage image;
    ASSERT_TRUE(image.load(MString(path("e.tif").c_str())));
    EXPECT_FALSE(image.tiffByLibtiff);
    ASSERT_EQ(image.heightVals.size(), 2u);
    // The host's buffer holds the bottom row first.
    EXPECT_DOUBLE_EQ(image.heightVals[0][0], 102 / 255.0);
    EXPECT_DOUBLE_EQ(image.heightVals[1][1], 51 / 255.0);
}

TEST_F(KVImageTools, OurFilesCarryTheTagsAndSamplesTheToolsExpect) {
    KVImage image;
    image.width = 3;
    image.height = 2;
    image.bitDepth = 16;
    image.channels = 1;
    for (double base : {0.0, 0.5}) {
        MDoubleArray greys;
        MColorArray colours;
        for (int c = 0; c < 3; ++c) {
            greys.append(base + c * 0.25);
            colours.append(MColor(0, 0, 0, 1));
        }
        image.heightVals.push_back(greys);
        image.pixels.push_back(colours);
    }
    ASSERT_TRUE(image.save(MString(path("o.tif").c_str())));
    const std::string tags = tool("tiffdump " + path("o.tif"));
    for (const char* tag :
         {"ImageWidth (256) SHORT (3) 1<3>", "BitsPerSample (258) SHORT (3) 1<16>",
          "Compression (259) SHORT (3) 1<1>", "Photometric (262) SHORT (3) 1<1>",
          "SamplesPerPixel (277) SHORT (3) 1<1>", "RowsPerStrip (278) SHORT (3) 1<2>",
          "ResolutionUnit (296) SHORT (3) 1<2>", "Orientation (274) SHORT (3) 1<1>"})
        EXPECT_NE(tags.find(tag), std::string::npos) << tag << "\n" << tags;
    EXPECT_EQ(tool("/usr/bin/identify -format %w,%h,%z " + path("o.tif")), "3,2,16");

    ASSERT_TRUE(image.save(MString(path("o.pgm").c_str())));
    EXPECT_EQ(tool("/usr/bin/identify -format %w,%h,%z " + path("o.pgm")), "3,2,16");
    tool("pnmtopng " + path("o.pgm") + " > " + path("o.png"));
    // Row 0 is written first; 0.25 x 65535 + 0.5 rounds down to 16384.
    EXPECT_EQ(
        tool("pngtopnm " + path("o.png") + " | pnmtoplainpnm | tail -n +4 | tr -s ' \\n' ' '"),
        "0 16384 32768 32768 49151 65535 ");
}

} // namespace
