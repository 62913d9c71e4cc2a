#pragma once

#include <gtest/gtest.h>

#include <string>

// Names each case of a parameterised test after the case's own name field.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& case_info) const
    {
        return case_info.param.name;
    }
};
