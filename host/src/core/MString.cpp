#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace {
// Shortest text that reads back as the same double.
std::string formatNumber(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool wholeNumber(const std::string& text, bool integer) {
    if (text.empty()) return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    if (integer)
        std::strtol(begin, &end, 10);
    else
        std::strtod(begin, &end);
    return end != begin && *end == '\0' && !std::isspace(static_cast<unsigned char>(*begin));
}
} // namespace

MString& MString::operator=(const char* text) {
    text_ = text ? text : "";
    return *this;
}

MString& MString::operator+=(const MString& other) {
    text_ += other.text_;
    return *this;
}

MString& MString::operator+=(const char* other) {
    if (other) text_ += other;
    return *this;
}

MString& MString::operator+=(char other) {
    text_ += other;
    return *this;
}

MString& MString::operator+=(double value) {
    text_ += formatNumber(value);
    return *this;
}

MString& MString::operator+=(float value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text_.append(buffer, result.ptr);
    return *this;
}

MString& MString::operator+=(int value) {
    text_ += std::to_string(value);
    return *this;
}

MString& MString::operator+=(unsigned int value) {
    text_ += std::to_string(value);
    return *this;
}

MString MString::operator+(const MString& other) const {
    return MString(text_ + other.text_);
}

MString MString::operator+(const char* other) const {
    MString result(*this);
    result += other;
    return result;
}

MString MString::operator+(double value) const {
    MString result(*this);
    result += value;
    return result;
}

MString MString::operator+(int value) const {
    MString result(*this);
    result += value;
    return result;
}

MString operator+(const char* a, const MString& b) {
    return MString(a) + b;
}

std::ostream& operator<<(std::ostream& os, const MString& s) {
    return os << s.str();
}

MString& MString::set(const char* text) {
    return *this = text;
}

MString& MString::set(double value) {
    text_ = formatNumber(value);
    return *this;
}

MString& MString::set(double value, int precision) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    text_ = buffer;
    return *this;
}

int MString::asInt() const {
    return static_cast<int>(std::strtol(text_.c_str(), nullptr, 10));
}

short MString::asShort() const {
    return static_cast<short>(asInt());
}

unsigned int MString::asUnsigned() const {
    return static_cast<unsigned int>(std::strtoul(text_.c_str(), nullptr, 10));
}

float MString::asFloat() const {
    return static_cast<float>(asDouble());
}

double MString::asDouble() const {
    return std::strtod(text_.c_str(), nullptr);
}

bool MString::isInt() const {
    return wholeNumber(text_, true);
}

bool MString::isUnsigned() const {
    return isInt() && text_[0] != '-';
}

bool MString::isFloat() const {
    return wholeNumber(text_, false);
}

MString MString::toLowerCase() const {
    std::string result = text_;
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return MString(result);
}

MString MString::toUpperCase() const {
    std::string result = text_;
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return MString(result);
}

MStatus MString::split(char delimiter, MStringArray& output) const {
    output.clear();
    std::string::size_type start = 0;
    while (start <= text_.size()) {
        std::string::size_type end = text_.find(delimiter, start);
        if (end == std::string::npos) end = text_.size();
        if (end > start) output.append(MString(text_.substr(start, end - start)));
        start = end + 1;
    }
    return MS::kSuccess;
}

MString MString::substring(int start, int end) const {
    const int size = static_cast<int>(text_.size());
    if (start < 0) start = 0;
    if (end >= size) end = size - 1;
    if (start > end) return MString();
    return MString(text_.substr(start, end - start + 1));
}

int MString::index(char c) const {
    auto at = text_.find(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int MString::rindex(char c) const {
    auto at = text_.rfind(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int MString::indexW(const MString& s) const {
    auto at = text_.find(s.text_);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

MStatus MString::substitute(const MString& match, const MString& replacement) {
    if (match.text_.empty()) return MS::kInvalidParameter;
    std::string::size_type at = 0;
    while ((at = text_.find(match.text_, at)) != std::string::npos) {
        text_.replace(at, match.text_.size(), replacement.text_);
        at += replacement.text_.size();
    }
    return MS::kSuccess;
}

MStatus MString::substituteFirst(const MString& match, const MString& replacement) {
    if (match.text_.empty()) return MS::kInvalidParameter;
    auto at = text_.find(match.text_);
    if (at != std::string::npos) text_.replace(at, match.text_.size(), replacement.text_);
    return MS::kSuccess;
}
