#include <maya/MImage.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Pictures are made and inspected by ImageMagick, never by the code under test.
class MImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "rvimageXXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    // A plain-text PPM, rows top first, converted by ImageMagick to the named file.
    std::string make(const std::string& name, int width, int height, int maxVal,
                     const std::vector<int>& rgbTopFirst, const std::string& options = "") {
        std::ofstream ppm(path("source.ppm"));
        ppm << "P3\n" << width << " " << height << "\n" << maxVal << "\n";
        for (int v : rgbTopFirst)
            ppm << v << "\n";
        ppm.close();
        const std::string out = path(name);
        const std::string command =
            "convert " + path("source.ppm") + " " + options + " " + out + " 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return out;
    }

    // ImageMagick's reading of a picture as 8-bit RGB samples, rows top first.
    std::vector<int> samplesOf(const std::string& file) {
        const std::string out = path("check.ppm");
        const std::string command =
            "convert " + file + " -depth 8 -compress none ppm:" + out + " 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream in(out);
        std::string magic;
        int w = 0, h = 0, maxVal = 0;
        in >> magic >> w >> h >> maxVal;
        std::vector<int> samples(static_cast<std::size_t>(w) * h * 3);
        for (int& s : samples)
            in >> s;
        return samples;
    }

    fs::path dir_;
};

// Top row red, green, blue; bottom row dark grey-blue, white, black.
const std::vector<int> kPicture16 = {65535, 0,    0,    0,     65535, 0,     0, 0, 65535,
                                     1000,  2000, 3000, 65535, 65535, 65535, 0, 0, 0};
const std::vector<int> kPicture8 = {255, 0,  0,  0,   255, 0,   0, 0, 255,
                                    10,  20, 30, 255, 255, 255, 0, 0, 0};

void expectEmpty(const MImage& image) {
    unsigned int w = 1, h = 1;
    image.getSize(w, h);
    EXPECT_EQ(w, 0u);
    EXPECT_EQ(h, 0u);
    EXPECT_EQ(image.pixelType(), MImage::kUnknown);
    EXPECT_EQ(image.pixels(), nullptr);
    EXPECT_EQ(image.floatPixels(), nullptr);
    EXPECT_EQ(image.depth(), 0u);
}

} // namespace

TEST_F(MImageTest, SixteenBitPngKeepsItsPrecisionAndStoresTheBottomRowFirst) {
    const std::string file = make("wide.png", 3, 2, 65535, kPicture16, "-depth 16");
    MImage image;
    ASSERT_TRUE(image.readFromFile(file, MImage::kUnknown));
    unsigned int w = 0, h = 0;
    image.getSize(w, h);
    EXPECT_EQ(w, 3u);
    EXPECT_EQ(h, 2u);
    ASSERT_EQ(image.pixelType(), MImage::kFloat);
    EXPECT_EQ(image.depth(), 16u);
    const float* p = image.floatPixels();
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p[0], 1000.0f / 65535.0f); // bottom-left first
    EXPECT_FLOAT_EQ(p[1], 2000.0f / 65535.0f);
    EXPECT_FLOAT_EQ(p[2], 3000.0f / 65535.0f);
    EXPECT_FLOAT_EQ(p[3], 1.0f);
    EXPECT_FLOAT_EQ(p[12], 1.0f); // top-left: red
    EXPECT_FLOAT_EQ(p[13], 0.0f);
    EXPECT_FLOAT_EQ(p[22], 1.0f); // top-right: blue

    ASSERT_TRUE(image.readFromFile(file)); // bytes by default
    ASSERT_EQ(image.pixelType(), MImage::kByte);
    EXPECT_EQ(image.depth(), 4u);
    const unsigned char* b = image.pixels();
    EXPECT_EQ(b[0], 4);  // 1000 / 257 rounded
    EXPECT_EQ(b[2], 12); // 3000 / 257 rounded
    EXPECT_EQ(b[3], 255);
}

TEST_F(MImageTest, EightBitFormatsReadAsBytesWithTheSameRowOrder) {
    for (const char* name : {"p.png", "p.tga", "p.bmp", "p.jpg"}) {
        SCOPED_TRACE(name);
        const bool lossy = std::string(name) == "p.jpg";
        // ImageMagick stores TGA rows top first whatever the header says, unless told to.
        const bool tga = std::string(name) == "p.tga";
        const std::string file = make(name, 3, 2, 255, kPicture8,
                                      lossy ? "-quality 100"
                                      : tga ? "-orient TopLeft"
                                            : "");
        MImage image;
        ASSERT_TRUE(image.readFromFile(file, MImage::kUnknown));
        ASSERT_EQ(image.pixelType(), MImage::kByte);
        EXPECT_EQ(image.depth(), 4u);
        const unsigned char* p = image.pixels();
        const int tolerance = lossy ? 40 : 0;
        // Bottom row first: (10, 20, 30), white, black; then red, green, blue.
        const int expected[6][3] = {{10, 20, 30}, {255, 255, 255}, {0, 0, 0},
                                    {255, 0, 0},  {0, 255, 0},     {0, 0, 255}};
        for (int px = 0; px < 6; ++px) {
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(p[px * 4 + c], expected[px][c], tolerance);
            EXPECT_EQ(p[px * 4 + 3], 255);
        }
    }
}

TEST_F(MImageTest, HighDynamicRangeFilesReadAsFloatsAndRoundTripThroughExr) {
    const std::string hdr = make("p.hdr", 3, 2, 255, kPicture8);
    MImage image;
    ASSERT_TRUE(image.readFromFile(hdr, MImage::kUnknown));
    ASSERT_EQ(image.pixelType(), MImage::kFloat);
    const float* p = image.floatPixels();
    EXPECT_NEAR(p[4], 1.0f, 0.01f);  // white, second pixel of the bottom row
    EXPECT_NEAR(p[12], 1.0f, 0.01f); // red, top-left
    EXPECT_NEAR(p[13], 0.0f, 0.01f);

    float samples[2 * 2 * 4] = {0.5f, 2.0f, -1.0f, 1.0f, 0, 0, 0, 1, 0, 0, 0, 1, 7.0f, 0, 0, 0.25f};
    image.setFloatPixels(samples, 2, 2);
    ASSERT_TRUE(image.writeToFile(path("p.exr"), "exr"));
    MImage back;
    ASSERT_TRUE(back.readFromFile(path("p.exr"), MImage::kUnknown));
    ASSERT_EQ(back.pixelType(), MImage::kFloat);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(back.floatPixels()[i], samples[i]) << i;
}

TEST_F(MImageTest, WrittenPicturesHaveTheTopRowFirstOnDisk) {
    const std::string file = make("in.png", 3, 2, 255, kPicture8);
    MImage image;
    ASSERT_TRUE(image.readFromFile(file));
    for (const char* format : {"png", "bmp"}) {
        const std::string out = path(std::string("out.") + format);
        ASSERT_TRUE(image.writeToFile(out, format)) << format;
        EXPECT_EQ(samplesOf(out), kPicture8) << format;
    }
    // ImageMagick misreads bottom-up TGA files, so TGA is checked against our own reader,
    // which the tests above hold to ImageMagick's top-down TGA.
    ASSERT_TRUE(image.writeToFile(path("out.tga"), "TGA"));
    MImage tga;
    ASSERT_TRUE(tga.readFromFile(path("out.tga")));
    EXPECT_EQ(std::vector<unsigned char>(tga.pixels(), tga.pixels() + 24),
              std::vector<unsigned char>(image.pixels(), image.pixels() + 24));
    EXPECT_FALSE(image.writeToFile(path("out.iff")));
    EXPECT_FALSE(image.writeToFile(path("missing/out.png"), "png"));

    // Floats are clamped to bytes for 8-bit formats.
    ASSERT_TRUE(image.convertPixelFormat(MImage::kFloat, 2.0, 0.0));
    ASSERT_TRUE(image.writeToFile(path("bright.png"), "png"));
    const std::vector<int> bright = samplesOf(path("bright.png"));
    EXPECT_EQ(bright[9], 20); // 10 doubled, bottom-left
    EXPECT_EQ(bright[13], 255);
}

TEST_F(MImageTest, FailedReadsLeaveTheImageEmpty) {
    const std::string file = make("good.png", 3, 2, 255, kPicture8);
    MImage image;
    ASSERT_TRUE(image.readFromFile(file));
    EXPECT_FALSE(image.readFromFile(path("nothing-here.png")));
    expectEmpty(image);
    std::ofstream(path("junk.png")) << "this is not a picture";
    EXPECT_FALSE(image.readFromFile(path("junk.png"), MImage::kUnknown));
    expectEmpty(image);
    EXPECT_FALSE(image.convertPixelFormat(MImage::kFloat));
    EXPECT_FALSE(image.resize(4, 4));
    EXPECT_FALSE(image.writeToFile(path("empty.png"), "png"));
}

TEST_F(MImageTest, ConversionResizeAndChannelOrder) {
    unsigned char px[2 * 1 * 4] = {255, 128, 0, 255, 0, 0, 51, 0};
    MImage image;
    image.setPixels(px, 2, 1);
    ASSERT_TRUE(image.convertPixelFormat(MImage::kFloat, 0.5, 0.25));
    EXPECT_FLOAT_EQ(image.floatPixels()[0], 0.75f);
    EXPECT_FLOAT_EQ(image.floatPixels()[2], 0.25f);
    EXPECT_EQ(image.pixels(), nullptr);
    ASSERT_TRUE(image.convertPixelFormat(MImage::kByte));
    EXPECT_EQ(image.pixels()[0], 191);

    image.setRGBA(false);
    EXPECT_FALSE(image.isRGBA());
    EXPECT_EQ(image.pixels()[2], 191); // red moved to the third byte
    image.setRGBA(true);
    EXPECT_EQ(image.pixels()[0], 191);

    ASSERT_TRUE(image.create(40, 20, 3, MImage::kFloat));
    EXPECT_EQ(image.depth(), 12u);
    ASSERT_TRUE(image.resize(10, 10, true));
    unsigned int w = 0, h = 0;
    image.getSize(w, h);
    EXPECT_EQ(w, 10u);
    EXPECT_EQ(h, 5u);
    ASSERT_TRUE(image.resize(7, 3, false));
    image.getSize(w, h);
    EXPECT_EQ(w, 7u);
    EXPECT_EQ(h, 3u);
    EXPECT_EQ(image.resize(0, 3), MS::kInvalidParameter);
    EXPECT_EQ(image.create(0, 3), MS::kInvalidParameter);
    image.getSize(w, h);
    EXPECT_EQ(w, 7u); // a refused create keeps the picture
}

TEST_F(MImageTest, TiffsOfEveryLayoutReadThroughLibtiffAsBytes) {
    // Colour and grey, 8 and 16 bit, stripped, compressed and tiled, either byte order.
    const std::pair<const char*, const char*> variants[] = {
        {"rgb8.tif", "-depth 8 -compress none"},
        {"rgb16.tif", "-depth 16 -compress lzw -endian MSB"},
        {"tiled.tif", "-depth 8 -define tiff:tile-geometry=16x16"},
        {"grey.tif", "-colorspace gray -depth 8 -compress zip"},
    };
    for (const auto& [name, options] : variants) {
        SCOPED_TRACE(name);
        const std::string file = make(name, 3, 2, 255, kPicture8, options);
        MImage image;
        ASSERT_TRUE(image.readFromFile(file, MImage::kUnknown));
        ASSERT_EQ(image.pixelType(), MImage::kByte);
        unsigned int w = 0, h = 0;
        image.getSize(w, h);
        EXPECT_EQ(w, 3u);
        EXPECT_EQ(h, 2u);
        // ImageMagick's own reading of the file, top row first; memory holds the bottom first.
        const std::vector<int> expected = samplesOf(file);
        const unsigned char* p = image.pixels();
        for (int px = 0; px < 6; ++px) {
            const int stored = (px < 3 ? px + 3 : px - 3) * 3;
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(p[px * 4 + c], expected[stored + c]) << px;
            EXPECT_EQ(p[px * 4 + 3], 255);
        }
    }
    // A file that only looks like a TIFF fails and leaves the image empty.
    std::ofstream(path("fake.tif"), std::ios::binary) << std::string("II*\0garbage", 11);
    MImage image;
    EXPECT_FALSE(image.readFromFile(path("fake.tif"), MImage::kUnknown));
    expectEmpty(image);
}

// Run-length Radiance files as ImageMagick writes them read whole; cut or corrupt ones
// fail at once instead of hanging the decoder.
TEST_F(MImageTest, RunLengthHdrFilesReadWholeAndDamagedOnesFailAtOnce) {
    std::vector<int> wide;
    for (int x = 0; x < 40; ++x)
        for (int c = 0; c < 3; ++c)
            wide.push_back(c == 0 ? 255 : 0);
    const std::string hdr = make("wide.hdr", 40, 1, 255, wide);
    std::string bytes;
    {
        std::ifstream in(hdr, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::size_t header = bytes.find("+X 40\n");
    ASSERT_NE(header, std::string::npos);
    ASSERT_EQ(bytes.substr(header + 6, 2), "\x02\x02"); // a run-length scanline follows
    MImage image;
    ASSERT_TRUE(image.readFromFile(hdr, MImage::kUnknown));
    EXPECT_NEAR(image.floatPixels()[39 * 4], 1.0f, 0.01f);

    const auto write = [&](const std::string& name, const std::string& content) {
        std::ofstream(path(name), std::ios::binary) << content;
        return path(name);
    };
    const std::string cut = write("cut.hdr", bytes.substr(0, header + 6 + 5));
    // A run of length zero, as a truncated file also reads past its end.
    const std::string zeroRun = std::string("\x02\x02\x00\x08\x00", 5);
    const std::string zero =
        write("zero.hdr", "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 8\n" + zeroRun);
    for (const std::string& file : {cut, zero}) {
        MImage damaged;
        EXPECT_FALSE(damaged.readFromFile(file, MImage::kUnknown)) << file;
        expectEmpty(damaged);
    }
}

// 16-bit any-maps (netpbm's own) read with every sample, grey ones as grey RGB.
TEST_F(MImageTest, SixteenBitAnyMapsReadEverySample) {
    const std::string grey = path("ramp.pgm");
    ASSERT_EQ(std::system(("pgmramp -lr 7 2 | pamdepth 65535 > " + grey).c_str()), 0);
    std::istringstream plain([&] {
        std::string text;
        FILE* pipe = popen(("pnmtoplainpnm " + grey).c_str(), "r");
        for (int c; (c = std::fgetc(pipe)) != EOF;)
            text += static_cast<char>(c);
        pclose(pipe);
        return text;
    }());
    std::string magic;
    int w = 0, h = 0, maxVal = 0;
    plain >> magic >> w >> h >> maxVal;
    std::vector<int> levels(static_cast<std::size_t>(w) * h);
    for (int& v : levels)
        plain >> v;
    ASSERT_EQ(levels.size(), 14u);

    MImage image;
    ASSERT_TRUE(image.readFromFile(grey, MImage::kUnknown));
    ASSERT_EQ(image.pixelType(), MImage::kFloat);
    const float* p = image.floatPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float* pixel = p + ((h - 1 - y) * w + x) * 4; // bottom row first
            const float expected = levels[y * w + x] / 65535.0f;
            EXPECT_FLOAT_EQ(pixel[0], expected) << x << "," << y;
            EXPECT_FLOAT_EQ(pixel[2], expected);
            EXPECT_FLOAT_EQ(pixel[3], 1.0f);
        }
}

// Fuzzers' finds: 266 bytes whose strips are all missing claim 65531 x 222 pixels. The read
// fails instead of giving (slowly) a blank picture of that size.
TEST_F(MImageTest, FilesWhoseDataIsMissingFailToRead) {
    MImage image;
    EXPECT_FALSE(image.readFromFile(RAVELIN_SOURCE_DIR
                                    "/tests/fuzz/seeds/tiff/crash-timeout-missing-strips.tif",
                                    MImage::kUnknown));
    expectEmpty(image);
    // And 49 bytes of any-map whose header claims 5233655 x 6 colour pixels.
    EXPECT_FALSE(image.readFromFile(RAVELIN_SOURCE_DIR
                                    "/tests/fuzz/seeds/picture/crash-oom-short-anymap.ppm",
                                    MImage::kUnknown));
    expectEmpty(image);
    // A whole file of the same kind still reads.
    const std::string whole = make("whole.tif", 3, 2, 255, kPicture8, "-depth 8");
    ASSERT_TRUE(image.readFromFile(whole, MImage::kUnknown));
    EXPECT_EQ(samplesOf(whole), kPicture8);
}
