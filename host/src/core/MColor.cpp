#include <maya/MColor.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace {

// Hue in degrees [0, 360), saturation and value in [0, 1].
void hsvToRgb(float h, float s, float v, float& r, float& g, float& b) {
    const float hue = std::fmod(std::fmod(h, 360.0f) + 360.0f, 360.0f) / 60.0f;
    const int sector = static_cast<int>(hue) % 6;
    const float f = hue - std::floor(hue);
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * f);
    const float t = v * (1.0f - s * (1.0f - f));
    const float table[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
    r = table[sector][0];
    g = table[sector][1];
    b = table[sector][2];
}

void rgbToHsv(float r, float g, float b, float& h, float& s, float& v) {
    const float hi = std::max({r, g, b});
    const float lo = std::min({r, g, b});
    const float span = hi - lo;
    v = hi;
    s = hi > 0.0f ? span / hi : 0.0f;
    if (span == 0.0f)
        h = 0.0f;
    else if (hi == r)
        h = 60.0f * std::fmod((g - b) / span + 6.0f, 6.0f);
    else if (hi == g)
        h = 60.0f * ((b - r) / span + 2.0f);
    else
        h = 60.0f * ((r - g) / span + 4.0f);
}

} // namespace

MColor::MColor(MColorType colorModel, unsigned char c1, unsigned char c2, unsigned char c3,
               unsigned char alpha) {
    // Bytes span the whole range of each component, hue included.
    const float hueScale = colorModel == kHSV ? 360.0f : 1.0f;
    set(colorModel, c1 / 255.0f * hueScale, c2 / 255.0f, c3 / 255.0f, alpha / 255.0f);
}

MColor::MColor(MColorType colorModel, float c1, float c2, float c3, float alpha) {
    set(colorModel, c1, c2, c3, alpha);
}

MColor::MColor(MColorType colorModel, double c1, double c2, double c3, double alpha) {
    set(colorModel, static_cast<float>(c1), static_cast<float>(c2), static_cast<float>(c3),
        static_cast<float>(alpha));
}

// r, g, b, a by index; anything past 3 reads a.
float MColor::operator[](unsigned int i) const {
    return i == 0 ? r : i == 1 ? g : i == 2 ? b : a;
}
float& MColor::operator[](unsigned int i) {
    return i == 0 ? r : i == 1 ? g : i == 2 ? b : a;
}

MStatus MColor::get(float dest[4]) const {
    for (unsigned int i = 0; i < 4; ++i)
        dest[i] = (*this)[i];
    return MS::kSuccess;
}

bool MColor::get(MColorType colorModel, float& c1, float& c2, float& c3) const {
    switch (colorModel) {
    case kRGB:
        c1 = r, c2 = g, c3 = b;
        return true;
    case kHSV:
        rgbToHsv(r, g, b, c1, c2, c3);
        return true;
    case kCMY:
        c1 = 1.0f - r, c2 = 1.0f - g, c3 = 1.0f - b;
        return true;
    default:
        return false;
    }
}

bool MColor::set(MColorType colorModel, float c1, float c2, float c3, float alpha) {
    switch (colorModel) {
    case kRGB:
        r = c1, g = c2, b = c3;
        break;
    case kHSV:
        hsvToRgb(c1, c2, c3, r, g, b);
        break;
    case kCMY:
        r = 1.0f - c1, g = 1.0f - c2, b = 1.0f - c3;
        break;
    default:
        // Four-ink colours do not fit three components.
        return false;
    }
    a = alpha;
    return true;
}

MColor& MColor::operator*=(float scalar) {
    return *this = *this * scalar;
}
MColor MColor::operator*(float s) const {
    return MColor(r * s, g * s, b * s, a * s);
}
MColor& MColor::operator*=(const MColor& o) {
    return *this = *this * o;
}
MColor MColor::operator*(const MColor& o) const {
    return MColor(r * o.r, g * o.g, b * o.b, a * o.a);
}
MColor& MColor::operator/=(float scalar) {
    return *this = *this / scalar;
}
MColor MColor::operator/(float s) const {
    return MColor(r / s, g / s, b / s, a / s);
}
MColor& MColor::operator+=(const MColor& o) {
    return *this = *this + o;
}
MColor MColor::operator+(const MColor& o) const {
    return MColor(r + o.r, g + o.g, b + o.b, a + o.a);
}
MColor& MColor::operator-=(const MColor& o) {
    return *this = *this - o;
}
MColor MColor::operator-(const MColor& o) const {
    return MColor(r - o.r, g - o.g, b - o.b, a - o.a);
}

bool MColor::operator==(const MColor& o) const {
    return r == o.r && g == o.g && b == o.b && a == o.a;
}

bool MColor::isEquivalent(const MColor& o, float tolerance) const {
    for (unsigned int i = 0; i < 4; ++i)
        if (std::abs((*this)[i] - o[i]) > tolerance) return false;
    return true;
}

MColor operator*(float scalar, const MColor& c) {
    return c * scalar;
}

std::ostream& operator<<(std::ostream& os, const MColor& c) {
    return os << "[" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << "]";
}
