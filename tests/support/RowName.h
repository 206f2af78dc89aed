#pragma once

#include <string>

#include <gtest/gtest.h>

// Names each row of a parameterised test after its `name` field, so that a
// failure says which case it was.
struct RowName {
    template <class Row> std::string operator()(const testing::TestParamInfo<Row>& info) const
    {
        return info.param.name;
    }
};
