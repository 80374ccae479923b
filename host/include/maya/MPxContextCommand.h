#pragma once
#include <maya/MArgParser.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

class MPxContext;
class MIntArray;
class MDoubleArray;
class MStringArray;

// Base of a tool's context command. Run without -edit or -query it creates a context
// through makeObj and returns the context's name; with -edit or -query and a context's
// name last, it calls doEditFlags or doQueryFlags on the instance that made that context.
// The host calls appendSyntax once, on a syntax that already accepts -edit and -query and
// zero or one object (the context's name).
class OPENMAYA_EXPORT MPxContextCommand {
public:
    MPxContextCommand();
    virtual ~MPxContextCommand();
    MPxContextCommand(const MPxContextCommand&) = delete;
    MPxContextCommand& operator=(const MPxContextCommand&) = delete;

    virtual MStatus doEditFlags();
    virtual MStatus doQueryFlags();
    virtual MPxContext* makeObj();
    virtual MStatus appendSyntax();

    MSyntax syntax() const { return syntax_; }
    MArgParser parser() const { return parser_; }

    MStatus setResult(bool result);
    MStatus setResult(int result);
    MStatus setResult(double result);
    MStatus setResult(const MString& result);
    MStatus setResult(const MIntArray& result);
    MStatus setResult(const MDoubleArray& result);
    MStatus setResult(const MStringArray& result);

    // Host side.
    void setParser(const MArgParser& parser) { parser_ = parser; }

private:
    MSyntax syntax_;
    MArgParser parser_;
};
