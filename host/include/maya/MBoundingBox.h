#pragma once
#include <maya/MPoint.h>
#include <maya/MTypes.h>

class MMatrix;

// An axis-aligned box. A box starts empty; expanding an empty box by a point makes the box
// that point.
class OPENMAYA_EXPORT MBoundingBox {
public:
    MBoundingBox() = default;
    MBoundingBox(const MPoint& corner1, const MPoint& corner2);

    void clear();
    // Replaces the box by the box around its eight corners transformed by the matrix.
    void transformUsing(const MMatrix& matrix);
    void expand(const MPoint& point);
    void expand(const MBoundingBox& box);
    bool contains(const MPoint& point) const;
    bool intersects(const MBoundingBox& box, double tol = 0.0) const;
    double width() const;
    double height() const;
    double depth() const;
    MPoint center() const;
    MPoint min() const { return min_; }
    MPoint max() const { return max_; }

private:
    bool empty_ = true;
    MPoint min_;
    MPoint max_;
};
