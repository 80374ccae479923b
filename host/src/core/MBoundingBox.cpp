#include <maya/MBoundingBox.h>
#include <maya/MMatrix.h>

#include <algorithm>

MBoundingBox::MBoundingBox(const MPoint& corner1, const MPoint& corner2) {
    expand(corner1);
    expand(corner2);
}

void MBoundingBox::clear() {
    *this = MBoundingBox();
}

void MBoundingBox::transformUsing(const MMatrix& matrix) {
    if (empty_) return;
    const MPoint lo = min_, hi = max_;
    clear();
    for (int corner = 0; corner < 8; ++corner) {
        const MPoint p(corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y,
                       corner & 4 ? hi.z : lo.z);
        expand(MPoint(p * matrix).cartesianize());
    }
}

void MBoundingBox::expand(const MPoint& point) {
    const MPoint p = MPoint(point).cartesianize();
    if (empty_) {
        min_ = max_ = p;
        empty_ = false;
        return;
    }
    min_ = MPoint(std::min(min_.x, p.x), std::min(min_.y, p.y), std::min(min_.z, p.z));
    max_ = MPoint(std::max(max_.x, p.x), std::max(max_.y, p.y), std::max(max_.z, p.z));
}

void MBoundingBox::expand(const MBoundingBox& box) {
    if (box.empty_) return;
    expand(box.min_);
    expand(box.max_);
}

bool MBoundingBox::contains(const MPoint& point) const {
    if (empty_) return false;
    const MPoint p = MPoint(point).cartesianize();
    for (unsigned int i = 0; i < 3; ++i)
        if (p[i] < min_[i] || p[i] > max_[i]) return false;
    return true;
}

bool MBoundingBox::intersects(const MBoundingBox& box, double tol) const {
    if (empty_ || box.empty_) return false;
    for (unsigned int i = 0; i < 3; ++i)
        if (box.min_[i] > max_[i] + tol || box.max_[i] < min_[i] - tol) return false;
    return true;
}

double MBoundingBox::width() const {
    return max_.x - min_.x;
}
double MBoundingBox::height() const {
    return max_.y - min_.y;
}
double MBoundingBox::depth() const {
    return max_.z - min_.z;
}

MPoint MBoundingBox::center() const {
    return MPoint((min_.x + max_.x) / 2.0, (min_.y + max_.y) / 2.0, (min_.z + max_.z) / 2.0);
}
