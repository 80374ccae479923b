#pragma once
#include "script/Value.h"

#include <map>
#include <string>
#include <vector>

namespace rvhost::script {

// The host's option variables: ints, floats, strings and arrays of them, by name. They live
// in memory; when RVHOST_PREFS names a file they are read from it at first use and the
// file is rewritten after every change.
class OptionVars {
public:
    static OptionVars& instance();

    const Value* find(const std::string& name);
    // Int, Float or String, or an array of one of them.
    void set(const std::string& name, Value value);
    // Appends to an array of the element's type; anything else under the name is replaced
    // by a one-element array.
    void append(const std::string& name, const Value& element);
    bool remove(const std::string& name);
    std::vector<std::string> names();

    // Forgets everything and reads the file RVHOST_PREFS names now (tests point it at
    // temporary files).
    void reload();

private:
    void loadOnce();
    void save() const;

    std::map<std::string, Value> values_;
    std::string file_;
    bool loaded_ = false;
};

} // namespace rvhost::script
