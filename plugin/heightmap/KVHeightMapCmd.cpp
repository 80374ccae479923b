#include "heightmap/KVHeightMapCmd.h"

#include <maya/MDagPath.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MPointArray.h>

#include <iostream>

namespace {

// Call sites named by the diagnostic of host calls that do not end the command.
const int kCropLine = 761;
const int kSelectionLine = 768;
const int kPointsLine = 790;

const char* const kReadImageError = "KVHeightMap Error: Problems reading image.";
// Larger pictures would take gigabytes of grids; no height map needs them.
const int kLargestExportSide = 8192;

void reportApiError(int line, const MStatus& status) {
    std::cerr << "\nAPI error detected in KVHeightMapCmd at line " << line << "\n";
    status.perror("");
}

bool isOneOf(const MString& word, const char* const* names) {
    for (; *names; ++names)
        if (word == *names) return true;
    return false;
}

const char* const kImageDepth[] = {"-imagedepth", "-imd", "-bitdepth", "-bd", nullptr};
const char* const kOpen[] = {"-open", "-o", "-import", nullptr};
const char* const kSave[] = {"-save", "-s", "-export", nullptr};
const char* const kConvert[] = {"-convertimage", "-cim", "-convert", nullptr};
const char* const kMeshNode[] = {"-mn", "-meshnode", nullptr};
const char* const kMeshWidth[] = {"-mw", "-meshwidth", nullptr};
const char* const kMeshHeight[] = {"-mh", "-meshheight", nullptr};
const char* const kExportWidth[] = {"-siw", "-saveimagewidth", "-exportwidth", "-ew", nullptr};
const char* const kExportHeight[] = {"-sih", "-saveimageheight", "-exportheight", "-eh", nullptr};
const char* const kCrop[] = {"-crop", "-cropimage", "-ci", nullptr};
const char* const kChannels[] = {"-exportchannels", "-ech", "-savechannels", "-sch", nullptr};
const char* const kAscii[] = {"-asciipgm", "-ascii", "-ap", nullptr};
const char* const kRangeMin[] = {"-rmin", "-rangemin", "-heightmin", "-hmin", nullptr};
const char* const kRangeMax[] = {"-rmax", "-rangemax", "-heightmax", "-hmax", nullptr};
const char* const kPlaneSize[] = {"-planesize", "-ps", nullptr};
const char* const kHeightScale[] = {"-hscale", "-hs", "-heightscale", nullptr};
const char* const kInterp[] = {"-pixelinterp", "-pi", "-in", "-interp", nullptr};
const char* const kAverage[] = {"-smoothvtx", "-sv", "-av", "-averagevtx", nullptr};

} // namespace

// In the order the flags are tested.
const KVHeightMap::FlagGroup KVHeightMap::kFlagGroups[] = {
    {kImageDepth, &KVHeightMap::readImageDepth},
    {kOpen, &KVHeightMap::readOpen},
    {kSave, &KVHeightMap::readSave},
    {kConvert, &KVHeightMap::readConvert},
    {kMeshNode, &KVHeightMap::readMeshNode},
    {kMeshWidth, &KVHeightMap::readMeshWidth},
    {kMeshHeight, &KVHeightMap::readMeshHeight},
    {kExportWidth, &KVHeightMap::readExportWidth},
    {kExportHeight, &KVHeightMap::readExportHeight},
    {kCrop, &KVHeightMap::readCrop},
    {kChannels, &KVHeightMap::readChannels},
    {kAscii, &KVHeightMap::readAscii},
    {kRangeMin, &KVHeightMap::readRangeMin},
    {kRangeMax, &KVHeightMap::readRangeMax},
    {kPlaneSize, &KVHeightMap::readPlaneSize},
    {kHeightScale, &KVHeightMap::readHeightScale},
    {kInterp, &KVHeightMap::readInterp},
    {kAverage, &KVHeightMap::readAverage},
    {nullptr, nullptr}};

KVHeightMap::~KVHeightMap() = default;

void* KVHeightMap::creator() {
    return new KVHeightMap();
}

MStatus KVHeightMap::doIt(const MArgList& args) {
    if (args.length() < 2) {
        displayError(MString("Syntax: \"KVHeightMap -imd [imageBitDepth] ") +
                     "-f [imageFileName] -mn [meshNode] -mw [meshVertexCountWidth] " +
                     "-mh [meshVertexCountHeight] -s [heightScale] -in [pixelInterpolationMode]\"");
        displayError("(eg: KVHeightMap -imd 8 -f \"C:\\hm.tga\" -mn pPlane1 -mw 100 -mh 100 -s "
                     "1.0 -inm 1");
        return MS::kFailure;
    }
    const MStatus parsed = parse(args);
    if (!parsed) return parsed;
    switch (mode) {
    case Mode::Query:
        return runQuery();
    case Mode::Export:
        return runExport();
    case Mode::Convert:
        return runConvert();
    default:
        return runImport();
    }
}

MStatus KVHeightMap::parse(const MArgList& args) {
    const MString first = args.asString(0).toLowerCase();
    if (first == "-q" || first == "-query") {
        mode = Mode::Query;
        if (args.get(1, image.fileName)) return MS::kSuccess;
        displayError("Missing image filename for -query mode.");
        return MS::kFailure;
    }
    for (unsigned int i = 0; i < args.length(); ++i) {
        const MString word = args.asString(i).toLowerCase();
        for (const FlagGroup* group = kFlagGroups; group->names; ++group) {
            if (!isOneOf(word, group->names)) continue;
            const MStatus status = (this->*group->read)(args, i);
            if (!status) return status;
            break;
        }
    }
    return MS::kSuccess;
}

template <class T>
MStatus KVHeightMap::readValue(const MArgList& args, unsigned int& i, T& out, const char* message) {
    T value{};
    if (!args.get(++i, value)) {
        displayError(message);
        return MS::kFailure;
    }
    out = value;
    return MS::kSuccess;
}

MStatus KVHeightMap::readFileName(const MArgList& args, unsigned int& i, MString& out,
                                  const char* message) {
    const MStatus status = readValue(args, i, out, message);
    if (!status) return status;
    if (out.length() >= 2) return MS::kSuccess;
    displayError("Error in KVHeightMap: invalid filename.");
    return MS::kFailure;
}

MStatus KVHeightMap::readImageDepth(const MArgList& args, unsigned int& i) {
    return readValue(args, i, saveImage.bitDepth,
                     "HeightMapImport/Export: Error parsing arguments, \"-imageDepth\" flag with "
                     "no integer?");
}

MStatus KVHeightMap::readOpen(const MArgList& args, unsigned int& i) {
    mode = Mode::Import;
    return readFileName(args, i, image.fileName,
                        "Syntax error in KVHeightMap: \"-fileOpen\" flag found with no filename.");
}

MStatus KVHeightMap::readSave(const MArgList& args, unsigned int& i) {
    mode = Mode::Export;
    return readFileName(args, i, saveImage.fileName,
                        "Syntax error in KVHeightMap: \"-fileSave\" flag found with no filename.");
}

MStatus KVHeightMap::readConvert(const MArgList& args, unsigned int& i) {
    mode = Mode::Convert;
    const char* message = "Syntax error in KVHeightMap: \"-convertImage\" flag found with no "
                          "input / output filenames.";
    const MStatus status = readFileName(args, i, image.fileName, message);
    if (!status) return status;
    return readFileName(args, i, saveImage.fileName, message);
}

MStatus KVHeightMap::readMeshNode(const MArgList& args, unsigned int& i) {
    MString name;
    if (i + 1 >= args.length() || !args.get(++i, name)) return MS::kSuccess;
    if (activeList.add(name)) return MS::kSuccess;
    displayError("HeightMapImport/Export: No mesh supplied.");
    return MS::kFailure;
}

MStatus KVHeightMap::readMeshWidth(const MArgList& args, unsigned int& i) {
    return readValue(args, i, wVtxCount,
                     "HeightMapImport: Error parsing arguments, \"-width\" flag with no integer?");
}

MStatus KVHeightMap::readMeshHeight(const MArgList& args, unsigned int& i) {
    return readValue(args, i, hVtxCount,
                     "HeightMapImport: Error parsing arguments, \"-height\" flag with no integer?");
}

MStatus KVHeightMap::readExportWidth(const MArgList& args, unsigned int& i) {
    return readValue(args, i, saveImage.width,
                     "HeightMapExport: Error parsing arguments, \"-exportWidth\" flag with no "
                     "integer?");
}

MStatus KVHeightMap::readExportHeight(const MArgList& args, unsigned int& i) {
    return readValue(args, i, saveImage.height,
                     "HeightMapExport: Error parsing arguments, \"-exportHeight\" flag with no "
                     "integer?");
}

MStatus KVHeightMap::readCrop(const MArgList& args, unsigned int& i) {
    const char* message = "HeightMapExport: Error parsing arguments, \"-crop\" flag needs four "
                          "intergers (width, height, topLeftCornerX, topLeftCornerY).";
    for (unsigned int* value : {&cropWidth, &cropHeight, &cropX, &cropY}) {
        const MStatus status = readValue(args, i, *value, message);
        if (!status) return status;
    }
    cropOn = true;
    return MS::kSuccess;
}

MStatus KVHeightMap::readChannels(const MArgList& args, unsigned int& i) {
    return readValue(args, i, saveImage.channels,
                     "HeightMapExport: Error parsing arguments, \"-imageChannels\" flag with no "
                     "integer?");
}

MStatus KVHeightMap::readAscii(const MArgList& args, unsigned int& i) {
    return readValue(args, i, saveImage.isAscii,
                     "HeightMapExport: Error parsing arguments, \"-asciiPGM\" flag with no "
                     "boolean?");
}

MStatus KVHeightMap::readRangeMin(const MArgList& args, unsigned int& i) {
    return readValue(args, i, hRangeMin,
                     "HeightMapExport: Error parsing arguments, \"-rangeMin\" flag with no float?");
}

MStatus KVHeightMap::readRangeMax(const MArgList& args, unsigned int& i) {
    return readValue(args, i, hRangeMax,
                     "HeightMapExport: Error parsing arguments, \"-rangeMax\" flag with no float?");
}

MStatus KVHeightMap::readPlaneSize(const MArgList& args, unsigned int& i) {
    return readValue(
        args, i, planeSize,
        "HeightMapImport: Error parsing arguments, \"-planeSize\" flag with no float?");
}

MStatus KVHeightMap::readHeightScale(const MArgList& args, unsigned int& i) {
    return readValue(args, i, importOptions.hScale,
                     "HeightMapImport/Export: Error parsing arguments, \"-heightScale\" flag with "
                     "no float?");
}

MStatus KVHeightMap::readInterp(const MArgList& args, unsigned int& i) {
    return readValue(args, i, importOptions.interpMode,
                     "HeightMapImport: Error parsing arguments, \"-interpMode\" flag with no "
                     "integer?");
}

// The tolerance's place is taken even when it does not read; it then means plain mean.
MStatus KVHeightMap::readAverage(const MArgList& args, unsigned int& i) {
    const MStatus status = readValue(args, i, importOptions.vtxAverageRadius,
                                     "HeightMapImport: Error parsing arguments, \"-averageVtx\" "
                                     "flag missing both values?");
    if (!status) return status;
    if (!args.get(++i, importOptions.slopeTolerance)) importOptions.slopeTolerance = 1;
    return MS::kSuccess;
}

MString KVHeightMap::scriptLiteral(const MString& text) {
    const std::string raw = text.asChar();
    std::string out = "\"";
    for (const char c : raw) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return MString(out.c_str()) + "\"";
}

MString KVHeightMap::queryScript() const {
    MString script = "string $node = \"KVHeightMapUI\"; \n";
    script += "if(!`objExists $node`) { \n scriptNode -st 1 -name $node; \n ";
    for (const char* attribute :
         {"\"w\" -longName \"width\"", "\"h\" -longName \"height\"",
          "\"bd\" -longName \"bitDepth\"", "\"ch\" -longName \"channels\""}) {
        script += "addAttr -s true -at short -k false -shortName ";
        script += MString(attribute) + " $node; \n";
    }
    script += "addAttr -s true -dt \"string\" -uaf -k false -shortName \"fn\" -longName "
              "\"fileName\" $node;  } \n";
    const char* const names[] = {".width", ".height", ".bitDepth", ".channels", ".fileName"};
    for (const char* name : names)
        script += MString("setAttr -lock false ($node + \"") + name + "\") ;";
    const unsigned int values[] = {image.width, image.height, image.bitDepth, image.channels};
    for (int k = 0; k < 4; ++k) {
        script += MString("setAttr ($node + \"") + names[k] + "\") ";
        script += values[k];
        script += " ;\n";
    }
    // The name is escaped so that no part of it can run as script text.
    script +=
        "setAttr ($node + \".fileName\") -type \"string\" " + scriptLiteral(image.fileName) + ";\n";
    for (const char* name : names)
        script += MString("setAttr -lock true ($node + \"") + name + "\") ;";
    return script;
}

MStatus KVHeightMap::runQuery() {
    image.readInfo();
    MGlobal::executeCommand(queryScript(), false, false);
    return MS::kSuccess;
}

void KVHeightMap::showMessages(KVImage& picture, bool asErrors) {
    for (unsigned int k = 0; k < picture.errors.length(); ++k) {
        if (asErrors)
            displayError(picture.errors[k]);
        else
            displayWarning(picture.errors[k]);
    }
    picture.errors.clear();
}

MStatus KVHeightMap::reportLoadFailure(KVImage& picture) {
    displayError(kReadImageError);
    showMessages(picture, true);
    return MS::kFailure;
}

MStatus KVHeightMap::runImport() {
    if (!image.load() || image.heightVals.empty()) return reportLoadFailure(image);
    if (cropOn) {
        const MStatus cropped = image.crop(cropWidth, cropHeight, cropX, cropY);
        if (!cropped) {
            reportApiError(kCropLine, cropped);
            showMessages(image, false);
        }
    }
    MDagPath path;
    const MStatus found = activeList.getDagPath(0, path);
    if (!found) reportApiError(kSelectionLine, found);
    if (!path.extendToShape()) {
        displayError("KVHeightMap Error: Problems reading mesh shape.");
        return MS::kFailure;
    }
    MStatus status;
    MFnMesh mesh(path, &status);
    const int count = status ? mesh.numVertices(&status) : 0;
    if (!status || count <= 0) {
        displayError("KVHeightMap Error: Problems reading mesh vertices.");
        return MS::kFailure;
    }
    MPointArray meshVerts;
    const MStatus read = mesh.getPoints(meshVerts, MSpace::kObject);
    if (!read) reportApiError(kPointsLine, read);
    status = importHeightMap(image, mesh, meshVerts, importOptions);
    if (!status) showMessages(image, true);
    return status;
}

MStatus KVHeightMap::runExport() {
    if (saveImage.width == 0 || saveImage.height == 0) {
        displayError("Image save error: invalid or missing image width or height");
        return MS::kFailure;
    }
    if (saveImage.width > unsigned(kLargestExportSide) ||
        saveImage.height > unsigned(kLargestExportSide)) {
        displayError(MString("Image save error: image width and height may not exceed ") +
                     kLargestExportSide + " pixels.");
        return MS::kFailure;
    }
    if (saveImage.bitDepth == 0 || saveImage.channels == 0) {
        displayError("Image save error: invalid or missing image bit depth or number of color "
                     "channels");
        return MS::kFailure;
    }
    if (hRangeMax == 0.0) {
        displayError("Image save error: invalid or missing height max range.");
        return MS::kFailure;
    }
    MFnMesh mesh;
    MPointArray meshVerts;
    MStatus status = meshPoints(mesh, meshVerts);
    if (!status) return status;
    status = exportHeightMap(meshVerts, hRangeMin, hRangeMax, saveImage);
    if (!status) {
        showMessages(saveImage, true);
        return status;
    }
    return saveShowingFaults();
}

// A save that fails says why (format, depth, file), not only that the command failed.
MStatus KVHeightMap::saveShowingFaults() {
    const MStatus status = saveImage.save();
    if (!status) showMessages(saveImage, true);
    return status;
}

// The export's mesh: any failure on the way shows as a vertex count that cannot be read.
MStatus KVHeightMap::meshPoints(MFnMesh& mesh, MPointArray& points) {
    MDagPath path;
    activeList.getDagPath(0, path);
    path.extendToShape();
    MStatus status = mesh.setObject(path);
    if (status) mesh.numVertices(&status);
    if (!status) {
        displayError("Image save error: cannot read mesh.");
        return MS::kFailure;
    }
    const MStatus read = mesh.getPoints(points, MSpace::kObject);
    if (!read) reportApiError(kPointsLine, read);
    return MS::kSuccess;
}

MStatus KVHeightMap::runConvert() {
    if (image.fileName.length() == 0 || saveImage.fileName.length() == 0) {
        displayError("Error in KVHeightMap: -convertImage need boths inputFile and outputFile to "
                     "envoke.");
        return MS::kFailure;
    }
    if (!image.load() || image.heightVals.empty()) return reportLoadFailure(image);
    const MString savefile = saveImage.fileName;
    const bool ascii = saveImage.isAscii;
    saveImage = image;
    saveImage.fileName = savefile;
    saveImage.isAscii = ascii;
    // The readers leave the picture's last stored row first and the writers write row 0
    // first: turn it back so the converted file keeps the picture's orientation.
    saveImage.flipVertical();
    return saveShowingFaults();
}
