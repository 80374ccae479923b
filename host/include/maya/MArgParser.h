#pragma once
#include <maya/MArgList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

#include <memory>

namespace rvhost {
struct ParsedArgs;
}

// An argument list read against a syntax. Flags are named by their short or long form,
// with the leading dash. Flag arguments and command arguments are indexed from 0.
class OPENMAYA_EXPORT MArgParser {
public:
    MArgParser();
    MArgParser(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus = nullptr);
    virtual ~MArgParser();

    bool isFlagSet(const char* flag, MStatus* ReturnStatus = nullptr) const;
    bool isEdit(MStatus* ReturnStatus = nullptr) const;
    bool isQuery(MStatus* ReturnStatus = nullptr) const;
    unsigned int numberOfFlagsUsed() const;
    unsigned int numberOfFlagUses(const char* flag) const;

    MStatus getFlagArgument(const char* flag, unsigned int index, bool& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, int& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, unsigned int& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, double& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MString& result) const;
    bool flagArgumentBool(const char* flag, unsigned int index,
                          MStatus* ReturnStatus = nullptr) const;
    int flagArgumentInt(const char* flag, unsigned int index,
                        MStatus* ReturnStatus = nullptr) const;
    double flagArgumentDouble(const char* flag, unsigned int index,
                              MStatus* ReturnStatus = nullptr) const;
    MString flagArgumentString(const char* flag, unsigned int index,
                               MStatus* ReturnStatus = nullptr) const;
    // Use i of a multi-use flag: where its first argument stands in the whole list, and
    // its arguments as a list of their own.
    MStatus getFlagArgumentPosition(const char* flag, unsigned int i, unsigned int& position) const;
    MStatus getFlagArgumentList(const char* flag, unsigned int i, MArgList& args) const;

    MStatus getCommandArgument(unsigned int index, bool& result) const;
    MStatus getCommandArgument(unsigned int index, int& result) const;
    MStatus getCommandArgument(unsigned int index, double& result) const;
    MStatus getCommandArgument(unsigned int index, MString& result) const;
    bool commandArgumentBool(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    int commandArgumentInt(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    double commandArgumentDouble(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MString commandArgumentString(unsigned int index, MStatus* ReturnStatus = nullptr) const;

    MStatus getObjects(MStringArray& result) const;

    // Host side: a parser over arguments the host has already read.
    explicit MArgParser(std::shared_ptr<const rvhost::ParsedArgs> parsed);

protected:
    std::shared_ptr<const rvhost::ParsedArgs> parsed_;
};
