// Height maps at 2048 x 2048: a 16-bit TIFF imported onto a plane of as many vertices (read,
// sample, write the points into a host mesh), the plane exported to a 16-bit TIFF (read the
// points, resample, write the file), and the picture readers beside netpbm's own readers
// of the same files, run as programs.
#include "heightmap/HeightMapConversion.h"
#include "heightmap/KVImage.h"

#include "app/Startup.h"

#include <maya/MFnMesh.h>
#include <maya/MFnMeshData.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr unsigned int kSide = 2048;

// A rolling 16-bit picture written once as TIFF and as binary PGM.
class Pictures {
public:
    Pictures()
        : folder_(fs::temp_directory_path() / ("bench_heightmap_" + std::to_string(getpid()))) {
        fs::create_directories(folder_);
        KVImage image;
        image.width = image.height = kSide;
        image.bitDepth = 16;
        image.channels = 1;
        for (unsigned int r = 0; r < kSide; ++r) {
            MDoubleArray greys(kSide);
            MColorArray colours(kSide);
            for (unsigned int c = 0; c < kSide; ++c) {
                greys[c] = 0.5 + 0.5 * std::sin(c * 0.01) * std::cos(r * 0.013);
                colours[c] = MColor(float(greys[c]), float(greys[c]), float(greys[c]), 1.0f);
            }
            image.heightVals.push_back(greys);
            image.pixels.push_back(colours);
        }
        image.save(MString(tiff().c_str()));
        image.save(MString(pgm().c_str()));
    }
    ~Pictures() { fs::remove_all(folder_); }
    std::string tiff() const { return (folder_ / "in.tif").string(); }
    std::string pgm() const { return (folder_ / "in.pgm").string(); }
    std::string output() const { return (folder_ / "out.tif").string(); }

private:
    fs::path folder_;
};

const Pictures& pictures() {
    static const Pictures files;
    return files;
}

// A kSide x kSide-vertex plane in mesh data, rows along x as the host lays planes out.
MObject plane() {
    MPointArray points;
    points.setLength(kSide * kSide);
    for (unsigned int r = 0; r < kSide; ++r)
        for (unsigned int c = 0; c < kSide; ++c)
            points[r * kSide + c] = MPoint(c, 0, -double(r));
    MIntArray counts, connects;
    for (int r = 0; r + 1 < int(kSide); ++r)
        for (int c = 0; c + 1 < int(kSide); ++c) {
            const int k = r * kSide + c;
            counts.append(4);
            for (int v : {k, k + int(kSide), k + int(kSide) + 1, k + 1})
                connects.append(v);
        }
    MFnMeshData data;
    MObject object = data.create();
    MFnMesh().create(int(points.length()), int(counts.length()), points, counts, connects, object);
    return object;
}

MObject& sharedPlane() {
    static MObject object = plane();
    return object;
}

void ImportTiffOntoPlane(benchmark::State& state) {
    const MString file(pictures().tiff().c_str());
    MFnMesh mesh(sharedPlane());
    for (auto _ : state) {
        KVImage image;
        image.load(file);
        MPointArray points;
        mesh.getPoints(points, MSpace::kObject);
        if (!importHeightMap(image, mesh, points, HeightImportOptions()))
            state.SkipWithError("import");
    }
}
BENCHMARK(ImportTiffOntoPlane)->Unit(benchmark::kMillisecond)->Iterations(3);

void ExportPlaneToTiff(benchmark::State& state) {
    MFnMesh mesh(sharedPlane());
    const MString file(pictures().output().c_str());
    for (auto _ : state) {
        MPointArray points;
        mesh.getPoints(points, MSpace::kObject);
        KVImage out(file);
        out.width = out.height = kSide;
        out.bitDepth = 16;
        out.channels = 1;
        if (!exportHeightMap(points, -1, 1, out) || !out.save()) state.SkipWithError("export");
    }
}
BENCHMARK(ExportPlaneToTiff)->Unit(benchmark::kMillisecond)->Iterations(3);

void readWith(benchmark::State& state, const std::string& file) {
    for (auto _ : state) {
        KVImage image;
        if (!image.load(MString(file.c_str()))) state.SkipWithError("load");
        benchmark::DoNotOptimize(image.heightVals.data());
    }
}

void runTool(benchmark::State& state, const std::string& command) {
    for (auto _ : state)
        if (std::system((command + " > /dev/null 2>&1").c_str()) != 0)
            state.SkipWithError(command.c_str());
}

void ReadPgm(benchmark::State& state) {
    readWith(state, pictures().pgm());
}
void PamToPnm(benchmark::State& state) {
    runTool(state, "pamtopnm < " + pictures().pgm());
}
void ReadTiff(benchmark::State& state) {
    readWith(state, pictures().tiff());
}
void TiffToPnm(benchmark::State& state) {
    runTool(state, "tifftopnm -byrow " + pictures().tiff());
}
BENCHMARK(ReadPgm)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(PamToPnm)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ReadTiff)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(TiffToPnm)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    rvhost::startHost(); // the readers run in a host process, with its heap policy
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
