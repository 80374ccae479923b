#pragma once
#include <maya/MArgParser.h>

// The argument parser commands use in doIt; objects come back as names.
class OPENMAYA_EXPORT MArgDatabase : public MArgParser {
public:
    MArgDatabase() = default;
    MArgDatabase(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus = nullptr)
        : MArgParser(syntax, argList, ReturnStatus) {}
    ~MArgDatabase() override = default;

    using MArgParser::getObjects;
};
