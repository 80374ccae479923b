#pragma once
#include <maya/MDrawRegistry.h>
#include <maya/MPxDrawOverride.h>

#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// The draw-override creators plug-ins registered, and the overrides made from them: one
// per drawn node and creator, kept (with the user data it prepared) until the creator is
// deregistered or the node goes away.
class DrawOverrideRegistry {
public:
    static DrawOverrideRegistry& instance();

    MStatus add(const std::string& classification, const std::string& registrant,
                MHWRender::MDrawRegistry::DrawOverrideCreator creator);
    MStatus remove(const std::string& classification, const std::string& registrant);
    size_t size() const { return creators_.size(); }

    struct Instance {
        std::unique_ptr<MHWRender::MPxDrawOverride> override;
        MHWRender::MUserData* data = nullptr; // kept between draws unless deleteAfterUse
        ~Instance();
    };

    // The overrides serving a node whose type has the given classification (entries
    // separated by ':' as in a node type's classification), made on first request.
    std::vector<Instance*> overridesFor(const MObject& node, const std::string& nodeClassification);
    // Forgets the overrides of nodes deleted from the scene.
    void dropDeleted();

private:
    struct Creator {
        std::string classification;
        std::string registrant;
        MHWRender::MDrawRegistry::DrawOverrideCreator make;
    };
    struct Made {
        const Creator* creator;
        MObject node;
        std::unique_ptr<Instance> instance;
    };

    std::vector<std::unique_ptr<Creator>> creators_;
    std::vector<Made> made_;
};

} // namespace rvhost
