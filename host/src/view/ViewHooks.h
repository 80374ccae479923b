#pragma once
#include <maya/M3dView.h>
#include <maya/MObject.h>

#include <functional>
#include <vector>

namespace rvhost {

// One node the current tool wants drawn over the scene: in practice its manipulators.
struct ToolDrawItem {
    // The node. In Viewport 2.0 its type's classification selects the draw overrides that
    // plug-ins registered with MDrawRegistry; when it is a DAG node its path is passed on.
    MObject node;
    // The legacy viewport's draw: the provider binds the node's own path and calls
    // MPxManipulatorNode::draw(view, path, style, status). May be empty.
    std::function<void(M3dView& view, M3dView::DisplayStyle style, M3dView::DisplayStatus status)>
        legacyDraw;
};

// How the view learns what the tool layer wants drawn. The tools room installs a provider
// once (ViewHooks::setToolItems) and the view asks it on every draw.
class ViewHooks {
public:
    using ToolItems = std::function<std::vector<ToolDrawItem>()>;

    // An empty function removes the provider.
    static void setToolItems(ToolItems provider);
    static std::vector<ToolDrawItem> toolItems();

private:
    static ToolItems& provider();
};

} // namespace rvhost
