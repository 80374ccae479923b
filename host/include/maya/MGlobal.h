#pragma once
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MTypes.h>

class MSelectionList;
class MDoubleArray;
class MIntArray;

// Application-wide operations: scripting, option variables, messages and selection.
class OPENMAYA_EXPORT MGlobal {
public:
    enum MSelectionMode { kSelectObjectMode, kSelectComponentMode, kSelectRootMode,
                          kSelectLeafMode, kSelectTemplateMode };
    enum ListAdjustment { kReplaceList, kXORWithList, kAddToList, kRemoveFromList,
                          kAddToHeadOfList };
    enum MMayaState { kInteractive, kBatch, kLibraryApp, kBaseUIMode };

    static int apiVersion();
    static MMayaState mayaState(MStatus* status = nullptr);

    // Scripting (script room).
    static MStatus executeCommand(const MString& command, bool displayEnabled = false,
                                  bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, int& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, double& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MString& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MIntArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MDoubleArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MStringArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MString executeCommandStringResult(const MString& command, bool displayEnabled = false,
                                              bool undoEnabled = false, MStatus* status = nullptr);

    // Messages: info and results to standard output, warnings and errors to standard error
    // as "// Warning: TEXT" and "// Error: TEXT".
    static void displayInfo(const MString& text);
    static void displayWarning(const MString& text);
    static void displayError(const MString& text);

    // Option variables (script room).
    static int optionVarIntValue(const MString& name, bool* exists = nullptr);
    static double optionVarDoubleValue(const MString& name, bool* exists = nullptr);
    static MString optionVarStringValue(const MString& name, bool* exists = nullptr);
    static bool setOptionVarValue(const MString& name, int value);
    static bool setOptionVarValue(const MString& name, double value);
    static bool setOptionVarValue(const MString& name, MString value);
    static void removeOptionVar(const MString& name);

    // Selection (scene room; selectFromScreen in the view room).
    static MStatus getActiveSelectionList(MSelectionList& list, bool orderedSelectionIfAvailable = false);
    static MStatus setActiveSelectionList(const MSelectionList& list, ListAdjustment mode = kReplaceList);
    static MStatus getSelectionListByName(const MString& name, MSelectionList& list);
    static MStatus selectByName(const MString& name, ListAdjustment mode = kAddToList);
    static MStatus clearSelectionList();
    static MStatus selectFromScreen(const short xPos, const short yPos,
                                    ListAdjustment listAdjustment = kAddToList,
                                    MSelectionMode selectMethod = kSelectObjectMode);
    static MStatus selectFromScreen(const short startX, const short startY, const short endX,
                                    const short endY, ListAdjustment listAdjustment = kAddToList,
                                    MSelectionMode selectMethod = kSelectObjectMode);
    static MSelectionMode selectionMode(MStatus* status = nullptr);
    static MStatus setSelectionMode(MSelectionMode mode);
    static MStatus setObjectSelectionMask(const class MSelectionMask& mask);
};
