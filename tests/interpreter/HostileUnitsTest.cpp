// Every command code, and plain text in each mode, in the shapes a hostile
// or broken host could send: the window survives each, answers the next "vn",
// and keeps within its memory bound.
#include "tests/support/HostileUnits.h"

#include <gtest/gtest.h>

namespace zor::test {
namespace {

class HostileUnitsTest : public ::testing::TestWithParam<HostileSubject> {};

TEST_P(HostileUnitsTest, TheWindowSurvivesAnswersAndStaysWithinItsBound)
{
    for (const HostileRow& row : HostileRows(GetParam())) {
        SCOPED_TRACE(row.Name().toStdString());
        const HostileOutcome outcome = RunHostileRow(row);
        EXPECT_TRUE(outcome.answered);
        EXPECT_LT(outcome.grownMb, HostileGrowthLimitMb);
    }
}

std::string SubjectName(const ::testing::TestParamInfo<HostileSubject>& info)
{
    std::string name = info.param.name.toStdString();
    for (char& c : name)
        if (c == '-')
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, HostileUnitsTest, ::testing::ValuesIn(HostileSubjects()), SubjectName);

} // namespace
} // namespace zor::test
