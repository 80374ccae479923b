#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iosfwd>
#include <string>

class MStringArray;

// A string of 8-bit characters (UTF-8).
class OPENMAYA_EXPORT MString {
public:
    MString() = default;
    MString(const char* text) : text_(text ? text : "") {}
    MString(const char* text, int length) : text_(text ? std::string(text, length) : "") {}
    MString(const std::string& text) : text_(text) {}

    MString& operator=(const char* text);
    MString& operator+=(const MString& other);
    MString& operator+=(const char* other);
    MString& operator+=(char other);
    MString& operator+=(double value);
    MString& operator+=(int value);
    MString& operator+=(unsigned int value);
    MString& operator+=(float value);
    MString operator+(const MString& other) const;
    MString operator+(const char* other) const;
    MString operator+(double value) const;
    MString operator+(int value) const;

    bool operator==(const MString& other) const { return text_ == other.text_; }
    bool operator==(const char* other) const { return text_ == (other ? other : ""); }
    bool operator!=(const MString& other) const { return text_ != other.text_; }
    bool operator!=(const char* other) const { return !(*this == other); }
    bool operator<(const MString& other) const { return text_ < other.text_; }

    const char* asChar() const { return text_.c_str(); }
    const char* asUTF8() const { return text_.c_str(); }
    unsigned int length() const { return static_cast<unsigned int>(text_.size()); }
    unsigned int numChars() const { return length(); }
    void clear() { text_.clear(); }

    MString& set(const char* text);
    MString& set(double value);
    MString& set(double value, int precision);

    // Leading-number readers: they read the longest number at the start (after blanks)
    // and give 0 when there is none.
    int asInt() const;
    short asShort() const;
    unsigned int asUnsigned() const;
    float asFloat() const;
    double asDouble() const;
    // True when the whole string is such a number.
    bool isInt() const;
    bool isShort() const { return isInt(); }
    bool isUnsigned() const;
    bool isFloat() const;
    bool isDouble() const { return isFloat(); }

    MString toLowerCase() const;
    MString toUpperCase() const;
    // Splits at every occurrence of delimiter; empty pieces are dropped, as in the host.
    MStatus split(char delimiter, MStringArray& output) const;
    // The characters from start to end, both included.
    MString substring(int start, int end) const;
    MString substringW(int start, int end) const { return substring(start, end); }
    int index(char c) const;
    int rindex(char c) const;
    int indexW(char c) const { return index(c); }
    int indexW(const MString& s) const;
    int rindexW(char c) const { return rindex(c); }
    MStatus substitute(const MString& match, const MString& replacement);
    MStatus substituteFirst(const MString& match, const MString& replacement);

    // Host extension: the underlying text.
    const std::string& str() const { return text_; }

private:
    std::string text_;
};

OPENMAYA_EXPORT MString operator+(const char* a, const MString& b);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MString& s);
