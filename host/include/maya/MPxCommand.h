#pragma once
#include <maya/MArgList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

class MIntArray;
class MDoubleArray;
class MStringArray;

// Base of plug-in commands. The host creates one instance per call, parses the arguments
// against the syntax (when the command has one), calls doIt, and keeps the instance in
// the undo queue when isUndoable() answers true after a successful doIt.
// The result functions act on the result of the command being run.
class OPENMAYA_EXPORT MPxCommand {
public:
    enum MResultType { kLong, kDouble, kString, kNoArg };

    MPxCommand();
    virtual ~MPxCommand();
    MPxCommand(const MPxCommand&) = delete;
    MPxCommand& operator=(const MPxCommand&) = delete;

    virtual MStatus doIt(const MArgList& args);
    virtual MStatus undoIt();
    virtual MStatus redoIt();
    virtual bool isUndoable() const;
    virtual bool hasSyntax() const;

    // The syntax the host built from the registered syntax creator.
    MSyntax syntax() const { return syntax_; }
    bool isHistoryOn() const { return historyOn_; }
    MStatus setHistoryOn(bool state);
    MString commandString() const { return commandString_; }
    MStatus setCommandString(const MString& text);

    static void displayInfo(const MString& theInfo);
    static void displayWarning(const MString& theWarning, bool showLineNumber = false);
    static void displayError(const MString& theError, bool showLineNumber = false);

    static void clearResult();
    static void setResult(unsigned int val);
    static void setResult(int val);
    static void setResult(double val);
    static void setResult(bool val);
    static void setResult(const char* val);
    static void setResult(const MString& val);
    static void setResult(const MIntArray& val);
    static void setResult(const MDoubleArray& val);
    static void setResult(const MStringArray& val);
    // Turns the result into an array (of the value's type) and appends.
    static void appendToResult(unsigned int val);
    static void appendToResult(int val);
    static void appendToResult(double val);
    static void appendToResult(bool val);
    static void appendToResult(const char* val);
    static void appendToResult(const MString& val);

    static bool isCurrentResultArray();
    static MResultType currentResultType();
    static int currentIntResult(MStatus* ReturnStatus = nullptr);
    static double currentDoubleResult(MStatus* ReturnStatus = nullptr);
    static MString currentStringResult(MStatus* ReturnStatus = nullptr);
    static MStatus getCurrentResult(MIntArray& result);
    static MStatus getCurrentResult(MDoubleArray& result);
    static MStatus getCurrentResult(MStringArray& result);

    // Host side.
    void setSyntax(const MSyntax& syntax) { syntax_ = syntax; }

private:
    MSyntax syntax_;
    MString commandString_;
    bool historyOn_ = true;
};
