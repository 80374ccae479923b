#pragma once
#include <maya/MArgParser.h>

class MSelectionList;

// The argument parser commands use in doIt: MArgParser plus objects and string arguments
// read as selection lists (each name added with MSelectionList::add).
class OPENMAYA_EXPORT MArgDatabase : public MArgParser {
public:
    MArgDatabase() = default;
    MArgDatabase(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus = nullptr)
        : MArgParser(syntax, argList, ReturnStatus) {}
    ~MArgDatabase() override = default;

    using MArgParser::getCommandArgument;
    using MArgParser::getFlagArgument;
    using MArgParser::getObjects;
    MStatus getObjects(MSelectionList& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MSelectionList& result) const;
    MStatus getCommandArgument(unsigned int index, MSelectionList& result) const;
};
