#pragma once
#include <memory>
#include <vector>

namespace rvhost {

class DagNode;
class ViewPort;

// What a click or a drag in the view picks, for MGlobal::selectFromScreen. Only visible
// meshes are pickable. A click picks the mesh whose surface the port point's ray meets
// first (the earlier one in DAG order on a tie); a rectangle picks every mesh with a
// vertex that projects inside it. Each pick is the mesh's transform.
std::shared_ptr<DagNode> pickAt(const ViewPort& view, double x, double y);
std::vector<std::shared_ptr<DagNode>> pickInside(const ViewPort& view, double x0, double y0,
                                                 double x1, double y1);

} // namespace rvhost
