#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iosfwd>

// A colour with alpha, as floats in [0, 1] for the usual range.
class OPENMAYA_EXPORT MColor {
public:
    enum MColorType { kRGB, kHSV, kCMY, kCMYK };

    MColor() = default;
    MColor(float rr, float gg, float bb = 0.0f, float aa = 1.0f) : r(rr), g(gg), b(bb), a(aa) {}
    MColor(const float rgb[3]) : r(rgb[0]), g(rgb[1]), b(rgb[2]) {}
    MColor(MColorType colorModel, unsigned char c1, unsigned char c2, unsigned char c3,
           unsigned char alpha = 255U);
    MColor(MColorType colorModel, float c1, float c2, float c3, float alpha = 1.0f);
    MColor(MColorType colorModel, double c1, double c2, double c3, double alpha = 1.0);

    float operator()(unsigned int i) const { return (*this)[i]; }
    float operator[](unsigned int i) const;
    float& operator[](unsigned int i);
    MStatus get(float dest[4]) const;
    bool get(MColorType colorModel, float& c1, float& c2, float& c3) const;
    bool set(MColorType colorModel, float c1, float c2, float c3, float alpha = 1.0f);

    MColor& operator*=(float scalar);
    MColor operator*(float scalar) const;
    MColor& operator*=(const MColor& other);
    MColor operator*(const MColor& other) const;
    MColor& operator/=(float scalar);
    MColor operator/(float scalar) const;
    MColor& operator+=(const MColor& other);
    MColor operator+(const MColor& other) const;
    MColor& operator-=(const MColor& other);
    MColor operator-(const MColor& other) const;
    MColor operator-() const { return MColor(-r, -g, -b, -a); }
    bool operator==(const MColor& other) const;
    bool operator!=(const MColor& other) const { return !(*this == other); }
    bool isEquivalent(const MColor& other, float tolerance = 1.0e-5f) const;

    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

OPENMAYA_EXPORT MColor operator*(float scalar, const MColor& c);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MColor& c);
