#include <maya/MIntArray.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>

#include "plugins/CommandResult.h"

#include <gtest/gtest.h>

namespace {

using rvhost::CommandResult;
using rvhost::script::Value;

TEST(CommandResultTest, AppendingTurnsTheResultIntoAnArrayOfItsType) {
    CommandResult::Scope scope;
    MPxCommand::appendToResult("a");
    MPxCommand::appendToResult(7);
    EXPECT_TRUE(MPxCommand::isCurrentResultArray());
    EXPECT_EQ(MPxCommand::currentResultType(), MPxCommand::kString);
    MStringArray texts;
    ASSERT_TRUE(MPxCommand::getCurrentResult(texts));
    ASSERT_EQ(texts.length(), 2u);
    EXPECT_EQ(texts[1], "7");
    MStatus status;
    MPxCommand::currentStringResult(&status);
    EXPECT_FALSE(status) << "an array is no scalar result";

    MPxCommand::setResult(3u);
    MPxCommand::appendToResult(4.9);
    MIntArray ints;
    ASSERT_TRUE(MPxCommand::getCurrentResult(ints));
    ASSERT_EQ(ints.length(), 2u);
    EXPECT_EQ(ints[0], 3);
    EXPECT_EQ(ints[1], 4) << "the array keeps the type of the first value";
    EXPECT_EQ(scope.take(), Value(std::vector<int>{3, 4}));
}

TEST(CommandResultTest, NestedScopesKeepTheOuterResult) {
    CommandResult::Scope outer;
    MPxCommand::setResult(true);
    {
        CommandResult::Scope inner;
        EXPECT_EQ(MPxCommand::currentResultType(), MPxCommand::kNoArg);
        MPxCommand::setResult(MString("inner"));
        EXPECT_EQ(inner.take(), Value("inner"));
    }
    EXPECT_EQ(MPxCommand::currentIntResult(), 1);
    MPxCommand::clearResult();
    EXPECT_TRUE(outer.take().isNone());
}

} // namespace
