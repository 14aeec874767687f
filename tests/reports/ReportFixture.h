// Example projects, opened and calculated, for the report tests.
#pragma once

#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uReportPage.h"
#include "uWires.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace corvadel::test {

class ReportFixture : public ::testing::Test
{
protected:
    TGlobalSetting Settings;
    TWireConfigurationList Project {Settings.Parameters};

    void Open(const std::string &example)
    {
        ASSERT_TRUE(Project.Open(std::string(CORVADEL_SOURCE_DIR) + "/examples/" + example));
    }

    void OpenCalculated(const std::string &example)
    {
        Open(example);
        ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    }

    TWireConfiguration &Sequence(int number) { return *Project.FindByNumber(number); }

    static int Count(const TReportPage &page, const std::string &text)
    {
        const auto lines = page.TextLines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), text));
    }

    static int CountStartingWith(const TReportPage &page, const std::string &prefix)
    {
        const auto lines = page.TextLines();
        return static_cast<int>(
            std::count_if(lines.begin(), lines.end(), [&](const std::string &line) { return line.starts_with(prefix); }));
    }
};

} // namespace corvadel::test
