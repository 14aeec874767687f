// Cases of parameterised tests that carry their own name: it names the test
// (`CaseName` as the name generator) and is what test listings print for the
// parameter, instead of its raw bytes.
#pragma once

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>

namespace corvadel::test {

struct TNamedCase {
    const char *Name; // letters, digits and "_" only
};

// Found through the base class for every case type derived from it.
template<std::derived_from<TNamedCase> Case>
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.Name;
}

struct CaseName {
    template<class Case>
    std::string operator()(const ::testing::TestParamInfo<Case> &info) const
    {
        return info.param.Name;
    }
};

} // namespace corvadel::test
