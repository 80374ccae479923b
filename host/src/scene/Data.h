#pragma once
#include "core/Object.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// A value object that a plug can hold (string, int array, mesh...). Plugs own copies: a
// value set on a plug is cloned, so a function set editing its own data object never
// changes a node behind its back.
class Data : public Object {
public:
    virtual std::shared_ptr<Data> clone() const = 0;
};

class StringData : public Data {
public:
    explicit StringData(std::string text = {}) : text(std::move(text)) {}
    MFn::Type apiType() const override { return MFn::kStringData; }
    std::shared_ptr<Data> clone() const override { return std::make_shared<StringData>(*this); }
    std::string text;
};

class IntArrayData : public Data {
public:
    explicit IntArrayData(std::vector<int> values = {}) : values(std::move(values)) {}
    MFn::Type apiType() const override { return MFn::kIntArrayData; }
    std::shared_ptr<Data> clone() const override { return std::make_shared<IntArrayData>(*this); }
    std::vector<int> values;
};

} // namespace rvhost
