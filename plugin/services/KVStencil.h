#pragma once
// The stencil: a grey-level picture mapped by UV onto a plane mesh in the scene. A vertex
// is looked at through the active view; where its view ray meets the plane, the picture's
// grey level there scales the brush for that vertex. One instance lives as long as the
// plug-in is loaded.
#include "heightmap/KVImage.h"

#include <maya/M3dView.h>
#include <maya/MDagPath.h>
#include <maya/MFnMesh.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class KVStencil : public KVImage {
public:
    static KVStencil& instance();

    // Reads RVOption_useStencil, RVOption_stencilImageFile and RVOption_stencilPolyNode,
    // each only when it exists.
    void loadSettings();

    // Finds the plane and loads the picture (the given file, else the one held, if any).
    // A plane name that does not resolve changes nothing.
    MStatus setupStencil(const MString& plane, const MString& image);
    // Loads imageFile again and turns its rows over.
    MStatus reloadStencilImage();
    // Takes a new picture name; with `reload` and a ready stencil the picture is loaded.
    MStatus changeImage(const MString& image, bool reload);
    // What the context's setup asks of the stencil: set up when wanted and not yet done,
    // or pick up a changed picture name. Not-implemented when the stencil is off.
    MStatus prepareForSetup();

    bool isReady() const { return ready; }
    const MDagPath& planePath() const { return stencilPlane; }

    // Takes the view and the plane (its matrix and mesh) as they stand now, for the samples
    // that follow: a dab asks once before it samples its vertices, so that each sample
    // costs only its own ray.
    void beginSampling();
    // The grey level (0 to 1) seen through the plane at a world point: 1 when not ready,
    // 0 when the point is out of view or its view ray misses the plane. The plane and view
    // are those of the last beginSampling (taken now if there was none since the set-up).
    double stencilFactor(const MPoint& world);
    // The grey level at a UV of the plane; 1 when not ready. Rows and columns outside the
    // picture are clamped to its edge.
    double greyAt(double u, double v) const;

    // Back to the state at load: not ready, no names, no picture.
    void reset();

    MDagPath stencilPlane;
    bool ready = false;
    bool useStencil = false;
    MString imageFile;
    MString planeName;

private:
    // The view, the plane's world-to-object matrix and its mesh, for the samples.
    bool sampling_ = false;
    M3dView view_;
    MMatrix toPlane_;
    MFnMesh planeMesh_;

    // Loads fileName; a failure is told to the user and leaves the error list empty.
    MStatus loadPicture();
};
