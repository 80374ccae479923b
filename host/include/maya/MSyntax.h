#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <memory>

namespace rvhost {
struct SyntaxData;
}

// What a command accepts: flags with typed arguments, typed command arguments and objects.
// Copies share one description, so the syntax a command hands out can be extended in place.
class OPENMAYA_EXPORT MSyntax {
public:
    enum MArgType {
        kInvalidArgType,
        kNoArg,
        kBoolean,
        kLong,
        kDouble,
        kString,
        kUnsigned,
        kDistance,
        kAngle,
        kTime,
        kSelectionItem,
        kLastArgType
    };
    enum MObjectFormat {
        kInvalidObjectFormat,
        kNone,
        kStringObjects,
        kSelectionList,
        kLastObjectFormat
    };

    MSyntax();

    MStatus addFlag(const char* shortName, const char* longName, MArgType argType1 = kNoArg,
                    MArgType argType2 = kNoArg, MArgType argType3 = kNoArg,
                    MArgType argType4 = kNoArg, MArgType argType5 = kNoArg,
                    MArgType argType6 = kNoArg);
    MStatus makeFlagMultiUse(const char* flagName);
    MStatus makeFlagQueryWithFullArgs(const char* flagName, bool queryArgsOptional);
    MStatus addArg(MArgType arg);

    MStatus setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects = 0);
    MStatus setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects,
                          unsigned int maximumObjects);
    MStatus setMinObjects(unsigned int minimumObjects);
    MStatus setMaxObjects(unsigned int maximumObjects);
    unsigned int minObjects() const;
    unsigned int maxObjects() const;
    MStatus useSelectionAsDefault(bool useSelectionAsDefault);

    MStatus enableQuery(bool supportsQuery = true);
    MStatus enableEdit(bool supportsEdit = true);
    bool canQuery() const;
    bool canEdit() const;

    // Host side: the shared description.
    const std::shared_ptr<rvhost::SyntaxData>& data() const { return data_; }

private:
    std::shared_ptr<rvhost::SyntaxData> data_;
};
