#pragma once
#include "heightmap/HeightMapConversion.h"
#include "heightmap/KVImage.h"

#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

// The KVHeightMap command: imports a picture as the heights of a grid mesh, exports a
// grid mesh's heights as a picture, converts a picture between formats, or records a
// picture's size and depth on the KVHeightMapUI script node. It is registered without a
// syntax and reads its own arguments, flags in any letter case; the last mode flag wins.
class KVHeightMap : public MPxCommand {
public:
    ~KVHeightMap() override;
    MStatus doIt(const MArgList& args) override;
    static void* creator();

    // The text of a script string literal holding `text`, quotes included.
    static MString scriptLiteral(const MString& text);
    // Reads the arguments into this call's settings, showing the first fault; doIt runs
    // the mode they chose. Public so the argument reader can be exercised on its own.
    MStatus parse(const MArgList& args);

private:
    enum class Mode { Export = 0, Import = 1, Query = 2, Convert = 3 };
    using Reader = MStatus (KVHeightMap::*)(const MArgList&, unsigned int&);
    struct FlagGroup {
        const char* const* names;
        Reader read;
    };
    static const FlagGroup kFlagGroups[];

    MStatus runQuery();
    MStatus runImport();
    MStatus runExport();
    MStatus runConvert();

    // One reader per flag group; each advances i past the values it reads.
    MStatus readImageDepth(const MArgList& args, unsigned int& i);
    MStatus readOpen(const MArgList& args, unsigned int& i);
    MStatus readSave(const MArgList& args, unsigned int& i);
    MStatus readConvert(const MArgList& args, unsigned int& i);
    MStatus readMeshNode(const MArgList& args, unsigned int& i);
    MStatus readMeshWidth(const MArgList& args, unsigned int& i);
    MStatus readMeshHeight(const MArgList& args, unsigned int& i);
    MStatus readExportWidth(const MArgList& args, unsigned int& i);
    MStatus readExportHeight(const MArgList& args, unsigned int& i);
    MStatus readCrop(const MArgList& args, unsigned int& i);
    MStatus readChannels(const MArgList& args, unsigned int& i);
    MStatus readAscii(const MArgList& args, unsigned int& i);
    MStatus readRangeMin(const MArgList& args, unsigned int& i);
    MStatus readRangeMax(const MArgList& args, unsigned int& i);
    MStatus readPlaneSize(const MArgList& args, unsigned int& i);
    MStatus readHeightScale(const MArgList& args, unsigned int& i);
    MStatus readInterp(const MArgList& args, unsigned int& i);
    MStatus readAverage(const MArgList& args, unsigned int& i);

    // The value after a flag, or the message and failure when it is missing or unreadable.
    template <class T>
    static MStatus readValue(const MArgList& args, unsigned int& i, T& out, const char* message);
    // A file name after a flag, which must have at least two characters.
    static MStatus readFileName(const MArgList& args, unsigned int& i, MString& out,
                                const char* message);
    // Shows a failed load as the command's errors and clears them from the picture.
    static MStatus reportLoadFailure(KVImage& picture);
    // Shows the picture's messages, as errors or warnings, and clears them.
    static void showMessages(KVImage& picture, bool asErrors);
    MStatus meshPoints(MFnMesh& mesh, MPointArray& points);
    MStatus saveShowingFaults();
    MString queryScript() const;

    Mode mode = Mode::Import;
    KVImage image;
    KVImage saveImage;
    MSelectionList activeList;
    HeightImportOptions importOptions;
    double hRangeMin = 0.0;
    double hRangeMax = 0.0;
    bool cropOn = false;
    unsigned int cropWidth = 0, cropHeight = 0, cropX = 0, cropY = 0;
    int wVtxCount = 0;
    int hVtxCount = 0;
    double planeSize = 0.0;
};
