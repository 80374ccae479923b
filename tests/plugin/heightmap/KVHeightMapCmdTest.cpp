// The KVHeightMap command driven through the host with the built plug-in loaded. Pictures
// are written as plain text or by the outside tools, and files the command writes are
// read back by those tools.
#include "PluginHost.h"
#include "TempFolder.h"
#include "ToolRun.h"

#include <sstream>
#include <utility>

namespace {

class HeightMapCommand : public PluginHostTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
        ASSERT_TRUE(ok("file -f -new"));
        clearMessages();
    }

    std::string path(const std::string& name) const { return (folder.path() / name).string(); }
    // A plain grey map of `width` x rows, maxVal given, samples top row first.
    std::string greyMap(const std::string& name, unsigned int width, int maxVal,
                        const std::vector<int>& samples) {
        std::ostringstream text;
        text << "P2\n" << width << " " << samples.size() / width << "\n" << maxVal << "\n";
        for (int s : samples)
            text << s << "\n";
        return folder.write(name, text.str());
    }
    // A plane of columns x rows vertices named "hp", flat at y = 0.
    void makePlane(int columns, int rows) {
        ASSERT_TRUE(ok("polyPlane -w 1 -h 1 -sx " + std::to_string(columns - 1) + " -sy " +
                       std::to_string(rows - 1) + " -n hp"));
    }
    double heightOf(int vertex) {
        const std::vector<double> p =
            numbers("pointPosition -l hp.vtx[" + std::to_string(vertex) + "]");
        return p.size() == 3 ? p[1] : -1e9;
    }
    // Runs KVHeightMap with ARGS, which must fail, and gives the errors it showed.
    std::string failure(const std::string& args) {
        clearMessages();
        EXPECT_FALSE(ok("KVHeightMap " + args)) << args;
        return err();
    }
    // A picture's samples as netpbm's plain form lists them, after the header.
    std::vector<long> samplesOf(const std::string& command) {
        std::istringstream plain(runTool(command + " | pnmtoplainpnm"));
        std::string magic;
        long w, h, maxVal, v;
        plain >> magic >> w >> h >> maxVal;
        std::vector<long> samples;
        while (plain >> v)
            samples.push_back(v);
        return samples;
    }
    static std::string quoted(const std::string& text) { return "\"" + text + "\""; }

    TempFolder folder{"kvheightmap"};
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(HeightMapCommand, FewerThanTwoArgumentsShowTheSyntax) {
    const std::string errors = failure("-query");
    EXPECT_TRUE(contains(errors, "Syntax: \"KVHeightMap -imd [imageBitDepth] -f [imageFileName] "
                                 "-mn [meshNode] -mw [meshVertexCountWidth] -mh "
                                 "[meshVertexCountHeight] -s [heightScale] -in "
                                 "[pixelInterpolationMode]\""))
        << errors;
    EXPECT_TRUE(contains(errors, "(eg: KVHeightMap -imd 8 -f \"C:\\hm.tga\" -mn pPlane1 -mw 100 "
                                 "-mh 100 -s 1.0 -inm 1"))
        << errors;
}

TEST_F(HeightMapCommand, QueryRecordsThePictureOnTheScriptNodeEveryTime) {
    const std::string grey = greyMap("q.pgm", 3, 1000, {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(ok("KVHeightMap -q " + quoted(grey))) << err();
    EXPECT_EQ(integer("getAttr KVHeightMapUI.width"), 3);
    EXPECT_EQ(integer("getAttr KVHeightMapUI.height"), 2);
    EXPECT_EQ(integer("getAttr KVHeightMapUI.bitDepth"), 16);
    EXPECT_EQ(integer("getAttr KVHeightMapUI.channels"), 1);
    EXPECT_EQ(text("getAttr KVHeightMapUI.fileName"), grey);

    // A file that cannot be read still updates the node; later words are not looked at.
    ASSERT_TRUE(ok("KVHeightMap -QUERY " + quoted(path("none.pgm")) + " -open x")) << err();
    EXPECT_EQ(text("getAttr KVHeightMapUI.fileName"), path("none.pgm"));
}

TEST_F(HeightMapCommand, QueryNamesWithQuotesAndBackslashesRunNoScriptText) {
    ASSERT_TRUE(ok("KVHeightMap -q \"C:\\\\hm.tga\"")) << err();
    EXPECT_EQ(text("getAttr KVHeightMapUI.fileName"), "C:\\hm.tga");
    const std::string hostile = "x\\\"; print \\\"INJECTED\\\"; //";
    ASSERT_TRUE(ok("KVHeightMap -q \"" + hostile + "\"")) << err();
    EXPECT_EQ(text("getAttr KVHeightMapUI.fileName"), "x\"; print \"INJECTED\"; //");
    EXPECT_FALSE(contains(out(), "INJECTED"));
    EXPECT_TRUE(contains(failure("-q"), "Syntax:")); // one argument only
}

TEST_F(HeightMapCommand, ImportSetsHeightsWithTheFirstStoredRowOnTheFirstVertexRow) {
    makePlane(4, 3);
    std::vector<int> samples;
    for (int k = 0; k < 12; ++k)
        samples.push_back(k * 20);
    const std::string grey = greyMap("Up.PGM", 4, 255, samples);
    ASSERT_TRUE(ok("KVHeightMap -Open " + quoted(grey) + " -MN hp -HScale 2")) << err();
    for (int k = 0; k < 12; ++k)
        EXPECT_NEAR(heightOf(k), 2 * k * 20 / 255.0, 1e-6) << k;
    EXPECT_EQ(numbers("pointPosition -l hp.vtx[5]")[0], numbers("pointPosition -l hp.vtx[1]")[0]);
}

TEST_F(HeightMapCommand, ACropCornerOutsideThePictureLeavesItWholeWithAWarning) {
    makePlane(2, 2);
    const std::string grey =
        greyMap("c.pgm", 4, 100, {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33});
    // The crop counts rows from the last stored one: rows 2-3 are stored rows 1 and 0.
    ASSERT_TRUE(ok("KVHeightMap -o " + quoted(grey) + " -mn hp -crop 2 2 2 2")) << err();
    EXPECT_NEAR(heightOf(0), 0.02, 1e-6);
    EXPECT_NEAR(heightOf(3), 0.13, 1e-6);

    clearMessages();
    ASSERT_TRUE(ok("KVHeightMap -o " + quoted(grey) + " -mn hp -ci 2 2 9 0")) << err();
    EXPECT_TRUE(contains(diagnostics(), "\nAPI error detected in KVHeightMapCmd at line 761\n"));
    EXPECT_TRUE(contains(err(), "Crop error: corner outside the image.")) << err();
    EXPECT_NEAR(heightOf(1), 0.02, 1e-6); // two vertices across: every second pixel
}

TEST_F(HeightMapCommand, AverageTakesTheNextWordAsItsToleranceEvenWhenItIsAFlag) {
    makePlane(3, 3);
    const std::string white = greyMap("w.pgm", 3, 255, std::vector<int>(9, 255));
    ASSERT_TRUE(ok("KVHeightMap -import " + quoted(white) + " -mn hp -averagevtx 2 -hs 3"))
        << err();
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(heightOf(k), 1.0, 1e-6);
    ASSERT_TRUE(ok("KVHeightMap -import " + quoted(white) + " -mn hp -hs 3 -av 1")) << err();
    EXPECT_NEAR(heightOf(4), 3.0, 1e-6);
}

TEST_F(HeightMapCommand, EachFlagGroupNamesItselfWhenItsValueIsMissing) {
    const std::pair<const char*, const char*> cases[] = {
        {"-o a.pgm -imd", "\"-imageDepth\" flag with no integer?"},
        {"-o a.pgm -bd eight", "\"-imageDepth\" flag with no integer?"},
        {"-hs 1 -open", "Syntax error in KVHeightMap: \"-fileOpen\" flag found with no filename."},
        {"-hs 1 -s", "Syntax error in KVHeightMap: \"-fileSave\" flag found with no filename."},
        {"-hs 1 -cim a.pgm", "\"-convertImage\" flag found with no input / output filenames."},
        {"-o a.pgm -mw",
         "HeightMapImport: Error parsing arguments, \"-width\" flag with no integer?"},
        {"-o a.pgm -mh 1.5", "\"-height\" flag with no integer?"},
        {"-o a.pgm -ew", "HeightMapExport: Error parsing arguments, \"-exportWidth\" flag"},
        {"-o a.pgm -sih x", "\"-exportHeight\" flag with no integer?"},
        {"-o a.pgm -crop 10 10 5", "\"-crop\" flag needs four intergers (width, height, "
                                   "topLeftCornerX, topLeftCornerY)."},
        {"-o a.pgm -sch", "\"-imageChannels\" flag with no integer?"},
        {"-o a.pgm -ap maybe", "\"-asciiPGM\" flag with no boolean?"},
        {"-o a.pgm -hmin",
         "HeightMapExport: Error parsing arguments, \"-rangeMin\" flag with no float?"},
        {"-o a.pgm -HeightMax",
         "HeightMapExport: Error parsing arguments, \"-rangeMax\" flag with no float?"},
        {"-o a.pgm -ps",
         "HeightMapImport: Error parsing arguments, \"-planeSize\" flag with no float?"},
        {"-o a.pgm -heightscale tall", "\"-heightScale\" flag with no float?"},
        {"-o a.pgm -interp", "HeightMapImport: Error parsing arguments, \"-interpMode\" flag with "
                             "no integer?"},
        {"-o a.pgm -sv", "\"-averageVtx\" flag missing both values?"},
        {"-open x", "Error in KVHeightMap: invalid filename."},
        {"-o a.pgm -mn -hs 2", "HeightMapImport/Export: No mesh supplied."},
    };
    for (const auto& [args, message] : cases) {
        const std::string errors = failure(args);
        EXPECT_TRUE(contains(errors, message)) << args << "\n" << errors;
        EXPECT_FALSE(contains(errors, "Problems reading image")) << args; // parsing stopped
    }
}

TEST_F(HeightMapCommand, TheLastModeFlagWinsAndUnknownWordsAreSkipped) {
    EXPECT_TRUE(contains(failure("-open a.pgm -frobnicate 3 -save b.pgm"),
                         "Image save error: invalid or missing image width or height"));
    // No mode flag: an import of no file.
    EXPECT_TRUE(contains(failure("-hs 2"), "KVHeightMap Error: Problems reading image."));
    const std::string missing = path("missing.pgm");
    const std::string errors = failure("-save b.pgm -open " + quoted(missing));
    EXPECT_TRUE(contains(errors, "KVHeightMap Error: Problems reading image.\n"));
    EXPECT_TRUE(contains(errors, "PBM Error: Problem opening file: " + missing + "\n")) << errors;
}

TEST_F(HeightMapCommand, ImportNeedsAMeshShape) {
    const std::string grey = greyMap("g.pgm", 2, 255, {1, 2, 3, 4});
    EXPECT_TRUE(
        contains(failure("-o " + quoted(grey)), "KVHeightMap Error: Problems reading mesh shape."));
    EXPECT_TRUE(contains(diagnostics(), "API error detected in KVHeightMapCmd at line 768"));
}

TEST_F(HeightMapCommand, ExportChecksItsSettingsInOrder) {
    makePlane(2, 2);
    const std::string base = "-save " + quoted(path("e.pgm")) + " -mn hp";
    EXPECT_TRUE(contains(failure(base + " -ew 4 -imd 8 -ech 1 -rmax 1"),
                         "Image save error: invalid or missing image width or height"));
    EXPECT_TRUE(contains(
        failure(base + " -ew 4 -eh 4 -ech 1 -rmax 1"),
        "Image save error: invalid or missing image bit depth or number of color channels"));
    EXPECT_TRUE(contains(failure(base + " -ew 4 -eh 4 -imd 8 -ech 1 -rmin -1"),
                         "Image save error: invalid or missing height max range."));
    EXPECT_TRUE(contains(failure(base + " -ew 4 -eh 4 -imd 8 -ech 1 -rmax 0"),
                         "Image save error: invalid or missing height max range."));
    EXPECT_TRUE(contains(failure(base + " -ew 4 -eh 4 -imd 8 -ech 1 -rmin -2 -rmax -2"),
                         "Image save error: invalid height range, max range plus offset is zero."));
    EXPECT_TRUE(contains(
        failure("-save " + quoted(path("e.pgm")) + " -ew 4 -eh 4 -imd 8 -ech 1 -rmax 1 -meshnode"),
        "Image save error: cannot read mesh."));
    EXPECT_FALSE(std::filesystem::exists(path("e.pgm")));
}

TEST_F(HeightMapCommand, SixteenBitExportsRoundTripThroughTheOutsideTools) {
    makePlane(3, 2);
    const std::vector<int> samples = {0, 1, 65535, 40000, 12345, 32768};
    const std::string source = greyMap("s.pgm", 3, 65535, samples);
    ASSERT_TRUE(ok("KVHeightMap -o " + quoted(source) + " -mn hp")) << err();

    const std::string tif = path("out.tif");
    ASSERT_TRUE(ok("KVHeightMap -s " + quoted(tif) + " -mn hp -ew 3 -eh 2 -imd 16 -ech 1 -rmax 1"))
        << err();
    EXPECT_TRUE(contains(runTool("tiffinfo " + tif + " 2>&1"), "Bits/Sample: 16"));
    EXPECT_TRUE(contains(runTool("tiffdump " + tif), "1<16>")) << runTool("tiffdump " + tif);
    EXPECT_EQ(samplesOf("tifftopnm -byrow " + tif + " 2>/dev/null"),
              std::vector<long>(samples.begin(), samples.end()));

    const std::string pgm = path("out.pgm");
    ASSERT_TRUE(ok("KVHeightMap -s " + quoted(pgm) + " -mn hp -ew 3 -eh 2 -imd 16 -ech 1 -rmax 1"))
        << err();
    EXPECT_TRUE(contains(runTool("pamfile " + pgm), "PGM raw, 3 by 2  maxval 65535"));
    EXPECT_EQ(samplesOf("cat " + pgm), std::vector<long>(samples.begin(), samples.end()));

    // An 8-bit TIFF cannot be written, and the user is told why.
    EXPECT_TRUE(contains(
        failure("-s " + quoted(path("e8.tif")) + " -mn hp -ew 3 -eh 2 -imd 8 -ech 1 -rmax 1"),
        "Problem saving image file: 8-bit mode not supported yet..."));
}

TEST_F(HeightMapCommand, ConvertKeepsThePictureAndTakesTheOutputsFormat) {
    const std::string wide = greyMap("wide.pgm", 2, 65535, {0, 65535, 1000, 2});
    const std::string tif = path("c.tif");
    ASSERT_TRUE(ok("KVHeightMap -convertimage " + quoted(wide) + " " + quoted(tif))) << err();
    EXPECT_EQ(runTool("/usr/bin/identify -format %w,%h,%z " + tif), "2,2,16");
    // Same picture, same orientation: the first stored row stays first.
    EXPECT_EQ(samplesOf("tifftopnm -byrow " + tif + " 2>/dev/null"),
              (std::vector<long>{0, 65535, 1000, 2}));

    const std::string binary = path("b.pgm");
    ASSERT_TRUE(
        runTool("pgmtopgm < " + greyMap("p.pgm", 2, 255, {9, 8, 7, 6}) + " > " + binary).empty());
    const std::string plain = path("plain.pgm");
    ASSERT_TRUE(
        ok("KVHeightMap -cim " + quoted(binary) + " " + quoted(plain) + " -ascii true -imd 16"))
        << err();
    EXPECT_TRUE(contains(runTool("pamfile " + plain), "PGM plain, 2 by 2  maxval 255"));
    EXPECT_EQ(samplesOf("cat " + plain), (std::vector<long>{9, 8, 7, 6}));

    EXPECT_FALSE(ok("KVHeightMap -cim " + quoted(binary) + " " + quoted(path("c8.tif"))));
}

TEST_F(HeightMapCommand, SaveFailuresSayWhy) {
    makePlane(2, 2);
    EXPECT_TRUE(contains(
        failure("-s " + quoted(path("e.png")) + " -mn hp -ew 2 -eh 2 -imd 16 -ech 1 -rmax 1"),
        "Problem saving image file: 8-bit mode not supported yet..."));
    const std::string nowhere = path("no/such/folder/e.tif");
    EXPECT_TRUE(
        contains(failure("-s " + quoted(nowhere) + " -mn hp -ew 2 -eh 2 -imd 16 -ech 1 -rmax 1"),
                 "Problem saving tiff file: cannot open " + nowhere));
    const std::string source = greyMap("s.pgm", 2, 255, {1, 2, 3, 4});
    EXPECT_TRUE(contains(failure("-cim " + quoted(source) + " " + quoted(path("no/c.pgm"))),
                         "PBM Error: Problem saving file: " + path("no/c.pgm")));
}

TEST_F(HeightMapCommand, ExportSizesAreBoundedBeforeAnythingIsAllocated) {
    makePlane(2, 2);
    const std::string base = "-save " + quoted(path("big.pgm")) + " -mn hp -imd 8 -ech 1 -rmax 1";
    const char* const message =
        "Image save error: image width and height may not exceed 8192 pixels.";
    EXPECT_TRUE(contains(failure(base + " -ew 2000000000 -eh 2"), message));
    EXPECT_TRUE(contains(failure(base + " -ew 2 -eh 8193"), message));
    EXPECT_FALSE(std::filesystem::exists(path("big.pgm")));
    ASSERT_TRUE(ok("KVHeightMap " + base + " -ew 8192 -eh 1")) << err();
    EXPECT_TRUE(contains(runTool("pamfile " + path("big.pgm")), "8192 by 1"));
}

TEST_F(HeightMapCommand, AnAveragingRadiusAtTheIntLimitAveragesTheWholeGrid) {
    makePlane(3, 3);
    const std::string grey = greyMap("g.pgm", 3, 90, {0, 10, 20, 30, 40, 50, 60, 70, 80});
    ASSERT_TRUE(ok("KVHeightMap -o " + quoted(grey) + " -mn hp -averagevtx 2147483647 1")) << err();
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(heightOf(k), 40 / 90.0, 1e-6) << k; // the mean of every sample
}

} // namespace
