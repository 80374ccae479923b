#pragma once
#include <string>
#include <variant>
#include <vector>

namespace rvhost::script {

struct Vector3 {
    double x = 0, y = 0, z = 0;
    bool operator==(const Vector3& o) const { return x == o.x && y == o.y && z == o.z; }
};

// A value of the script language: one of its scalar types or an array of one. Command
// arguments, command results and variables are all Values.
class Value {
public:
    enum class Type {
        None,
        Int,
        Float,
        String,
        Vector,
        IntArray,
        FloatArray,
        StringArray,
        VectorArray
    };

    Value() = default;
    Value(int v) : data_(v) {}
    Value(double v) : data_(v) {}
    Value(std::string v) : data_(std::move(v)) {}
    Value(const char* v) : data_(std::string(v)) {}
    Value(Vector3 v) : data_(v) {}
    Value(std::vector<int> v) : data_(std::move(v)) {}
    Value(std::vector<double> v) : data_(std::move(v)) {}
    Value(std::vector<std::string> v) : data_(std::move(v)) {}
    Value(std::vector<Vector3> v) : data_(std::move(v)) {}

    Type type() const { return static_cast<Type>(data_.index()); }
    bool isNone() const { return type() == Type::None; }
    bool isArray() const { return type() >= Type::IntArray; }

    // Conversions follow the language's rules: "12abc" as an int is 12, a float as an int
    // is truncated, a vector as a float is its length, a scalar as a vector repeats it, a
    // scalar as an array is a one-element array and an array as a scalar is its first
    // element (or the type's default when empty). Arrays as strings join with blanks.
    int asInt() const;
    double asFloat() const;
    std::string asString() const;
    Vector3 asVector() const;
    std::vector<int> asIntArray() const;
    std::vector<double> asFloatArray() const;
    std::vector<std::string> asStringArray() const;
    std::vector<Vector3> asVectorArray() const;

    // This value as one of the given type (None gives None).
    Value convertedTo(Type type) const;
    // Number of elements of an array; 1 for a scalar, 0 for None.
    std::size_t size() const;
    // Element i of an array as a scalar Value (the element type's default when out of range).
    Value element(std::size_t index) const;
    // Sets element i of an array, growing it with defaults as needed; the value is
    // converted to the element type. Does nothing on a scalar.
    void setElement(std::size_t index, const Value& value);

    static Value defaultOf(Type type);
    static Type elementType(Type arrayType);
    static Type arrayType(Type elementType);
    // The language's spelling: "int", "float[]", "string"...
    static std::string typeName(Type type);

    template <class T> const T& get() const { return std::get<T>(data_); }
    template <class T> T& get() { return std::get<T>(data_); }

    bool operator==(const Value& o) const { return data_ == o.data_; }

private:
    std::variant<std::monostate, int, double, std::string, Vector3, std::vector<int>,
                 std::vector<double>, std::vector<std::string>, std::vector<Vector3>>
        data_;
};

// The language's literal for a string: in double quotes, with \ " and line ends escaped.
std::string quoteForScript(const std::string& text);

// The language's text of a float: the shortest text that reads back as the same number.
std::string formatFloat(double value);

} // namespace rvhost::script
