#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MVector.h>

#include "plugins/ArgValues.h"
#include "plugins/CommandHandlers.h"
#include "plugins/SyntaxParser.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using rvhost::script::Value;

MArgList listOf(const std::vector<Value>& values) {
    MArgList list;
    list.values().items = values;
    return list;
}

// The parser's message for a list that must not parse.
std::string parseError(const MSyntax& syntax, const std::vector<Value>& args) {
    rvhost::ParsedArgs parsed;
    rvhost::SyntaxParser parser(syntax.data(), args);
    EXPECT_FALSE(parser.parse(parsed));
    return parser.error();
}

MSyntax sampleSyntax() {
    MSyntax syntax;
    syntax.addFlag("-w", "-width", MSyntax::kDouble);
    syntax.addFlag("-n", "-name", MSyntax::kString);
    syntax.addFlag("-c", "-count", MSyntax::kUnsigned);
    syntax.addFlag("-on", "-enabled", MSyntax::kBoolean);
    syntax.addFlag("-ls", "-link", MSyntax::kString, MSyntax::kString);
    syntax.addFlag("-x", "-exact");
    return syntax;
}

TEST(ArgListTest, ScalarsReadStrictlyByTypeWithoutMovingTheIndex) {
    const MArgList args = listOf({Value(7), Value(2.5), Value("abc"), Value("12"), Value("on")});
    int i = 0;
    double d = 0;
    unsigned int u = 0;
    bool b = false;
    MString s;
    EXPECT_TRUE(args.get(0, i));
    EXPECT_EQ(i, 7);
    EXPECT_FALSE(args.get(1, i)) << "2.5 is not an integer";
    EXPECT_EQ(i, 7) << "a failed read leaves the value alone";
    EXPECT_TRUE(args.get(1, d));
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_FALSE(args.get(2, d));
    EXPECT_TRUE(args.get(3, u));
    EXPECT_EQ(u, 12u);
    EXPECT_TRUE(args.get(4, b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(args.get(2, b));
    EXPECT_TRUE(args.get(0, s));
    EXPECT_EQ(s, "7");
    EXPECT_FALSE(args.get(5, s));
    EXPECT_EQ(args.length(), 5u);

    MStatus status;
    EXPECT_EQ(args.asString(2, &status), "abc");
    EXPECT_TRUE(status);
    EXPECT_EQ(args.asInt(2, &status), 0);
    EXPECT_FALSE(status);
    EXPECT_EQ(listOf({Value(-3)}).asInt(0), -3);
    EXPECT_FALSE(listOf({Value(-3)}).get(0, u)) << "negative is not unsigned";
}

TEST(ArgListTest, MultiElementReadsAdvanceTheIndexOnlyOnSuccess) {
    MArgList args = listOf({Value(1), Value(2.0), Value(3), Value("x")});
    unsigned int index = 0;
    MVector v;
    ASSERT_TRUE(args.get(index, v));
    EXPECT_EQ(index, 3u);
    EXPECT_EQ(v, MVector(1, 2, 3));
    index = 1;
    EXPECT_FALSE(args.get(index, v)) << "\"x\" is no component";
    EXPECT_EQ(index, 1u);
    index = 0;
    MPoint p = args.asPoint(index, 2);
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(p, MPoint(1, 2, 0));

    MIntArray ints;
    ints.append(4);
    ints.append(5);
    MStringArray texts;
    texts.append("a");
    MArgList built;
    built.addArg(ints).addArg(texts).addArg(MString("tail"));
    index = 0;
    MIntArray readInts;
    ASSERT_TRUE(built.get(index, readInts));
    EXPECT_EQ(index, 3u) << "count, then two elements";
    EXPECT_EQ(readInts.length(), 2u);
    EXPECT_EQ(readInts[1], 5);
    MStringArray readTexts = built.asStringArray(index);
    EXPECT_EQ(index, 5u);
    ASSERT_EQ(readTexts.length(), 1u);
    EXPECT_EQ(readTexts[0], "a");
    EXPECT_EQ(built.asString(index), "tail");
    unsigned int past = 5;
    EXPECT_FALSE(built.get(past, readInts)) << "\"tail\" is no count";
    EXPECT_EQ(past, 5u);
    EXPECT_EQ(built.flagIndex("tail"), 5u);
    EXPECT_EQ(built.flagIndex("-q", "-query"), MArgList::kInvalidArgIndex);
}

TEST(ArgListTest, ScriptArraysAndVectorsExpandIntoTheirElements) {
    std::vector<rvhost::script::Argument> args(4);
    args[0].value = Value("-w");
    args[0].word = true;
    args[1].value = Value(std::vector<int>{1, 2});
    args[2].value = Value(rvhost::script::Vector3{0.5, 1.5, 2.5});
    args[3].value = Value(std::vector<std::string>{});
    const MArgList list = rvhost::argListOf(args);
    ASSERT_EQ(list.length(), 6u);
    EXPECT_EQ(list.asString(0), "-w");
    EXPECT_EQ(list.asInt(2), 2);
    EXPECT_DOUBLE_EQ(list.asDouble(5), 2.5);
}

TEST(SyntaxTest, FlagsReadByEitherNameAndType) {
    const MSyntax syntax = sampleSyntax();
    MStatus status;
    MArgDatabase db(syntax,
                    listOf({Value("-width"), Value(-2), Value("-n"), Value(5), Value("-on"),
                            Value("off"), Value("-ls"), Value("a"), Value("b"), Value("-x")}),
                    &status);
    ASSERT_TRUE(status);
    EXPECT_TRUE(db.isFlagSet("-w"));
    EXPECT_TRUE(db.isFlagSet("-exact"));
    EXPECT_FALSE(db.isFlagSet("-c"));
    EXPECT_DOUBLE_EQ(db.flagArgumentDouble("-w", 0), -2.0) << "a negative number is a value";
    EXPECT_EQ(db.flagArgumentString("-name", 0), "5");
    EXPECT_FALSE(db.flagArgumentBool("-on", 0, &status));
    EXPECT_TRUE(status);
    EXPECT_EQ(db.flagArgumentString("-ls", 1), "b");
    db.flagArgumentString("-ls", 2, &status);
    EXPECT_FALSE(status);
    unsigned int position = 0;
    ASSERT_TRUE(db.getFlagArgumentPosition("-ls", 0, position));
    EXPECT_EQ(position, 7u);
    EXPECT_EQ(db.numberOfFlagsUsed(), 5u);
    EXPECT_FALSE(db.isQuery());
}

TEST(SyntaxTest, BadArgumentListsAreReportedClearly) {
    const MSyntax syntax = sampleSyntax();
    EXPECT_EQ(parseError(syntax, {Value("-y")}), "Invalid flag: -y");
    EXPECT_EQ(parseError(syntax, {Value("-w")}), "Flag -w needs an argument");
    EXPECT_EQ(parseError(syntax, {Value("-w"), Value("-x")}), "Flag -w needs an argument");
    EXPECT_EQ(parseError(syntax, {Value("-ls"), Value("a")}), "Flag -ls needs 2 arguments");
    EXPECT_EQ(parseError(syntax, {Value("-width"), Value("wide")}),
              "Flag -width needs a number, not \"wide\"");
    EXPECT_EQ(parseError(syntax, {Value("-c"), Value(-1)}),
              "Flag -c needs an unsigned integer, not \"-1\"");
    EXPECT_EQ(parseError(syntax, {Value("-x"), Value("-exact")}),
              "Flag -exact may be used only once");
    EXPECT_EQ(parseError(syntax, {Value("-q"), Value("-x")}), "Invalid flag: -q")
        << "query is off unless enabled";
    EXPECT_EQ(parseError(syntax, {Value("stray")}), "Unexpected argument: \"stray\"");
}

TEST(SyntaxTest, QueryModeTakesFlagArgumentsOnlyWhenAllAreThere) {
    MSyntax syntax = sampleSyntax();
    syntax.enableQuery();
    syntax.enableEdit();
    syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
    MStatus status;
    MArgParser withArgs(syntax, listOf({Value("-ls"), Value("p"), Value("c"), Value("-q")}),
                        &status);
    ASSERT_TRUE(status);
    EXPECT_TRUE(withArgs.isQuery());
    EXPECT_EQ(withArgs.flagArgumentString("-ls", 1), "c");
    MArgParser bare(syntax, listOf({Value("-query"), Value("-w"), Value("ctx")}), &status);
    ASSERT_TRUE(status);
    EXPECT_TRUE(bare.isFlagSet("-w"));
    bare.flagArgumentDouble("-w", 0, &status);
    EXPECT_FALSE(status);
    MStringArray objects;
    bare.getObjects(objects);
    ASSERT_EQ(objects.length(), 1u) << "\"ctx\" is no number, so it stays an object";
    EXPECT_EQ(objects[0], "ctx");
    EXPECT_EQ(parseError(syntax, {Value("-e"), Value("-q")}),
              "Cannot use -query and -edit together");
}

TEST(SyntaxTest, CommandArgumentsComeBeforeObjectsWithinTheirLimits) {
    MSyntax syntax;
    syntax.addArg(MSyntax::kLong);
    syntax.setObjectType(MSyntax::kSelectionList, 1, 2);
    MStatus status;
    MArgDatabase db(syntax, listOf({Value("3"), Value("a"), Value("b")}), &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(db.commandArgumentInt(0), 3);
    MStringArray objects;
    db.getObjects(objects);
    EXPECT_EQ(objects.length(), 2u);
    EXPECT_EQ(parseError(syntax, {Value("x"), Value("a")}),
              "Argument 1 needs an integer, not \"x\"");
    EXPECT_EQ(parseError(syntax, {Value(1)}), "Not enough objects: at least 1 needed, got 0");
    EXPECT_EQ(parseError(syntax, {Value(1), Value("a"), Value("b"), Value("c")}),
              "Too many objects: at most 2 allowed, got 3");
    EXPECT_EQ(parseError(syntax, {}), "Needs 1 argument, got 0");
}

TEST(SyntaxTest, MultiUseFlagsKeepEveryUse) {
    MSyntax syntax;
    syntax.addFlag("-a", "-add", MSyntax::kLong, MSyntax::kString);
    ASSERT_TRUE(syntax.makeFlagMultiUse("-add"));
    EXPECT_FALSE(syntax.addFlag("-a", "-again")) << "short name taken";
    EXPECT_FALSE(syntax.makeFlagMultiUse("-nothing"));
    MStatus status;
    MArgDatabase db(
        syntax,
        listOf({Value("-a"), Value(1), Value("one"), Value("-add"), Value(2), Value("two")}),
        &status);
    ASSERT_TRUE(status);
    ASSERT_EQ(db.numberOfFlagUses("-a"), 2u);
    MArgList second;
    ASSERT_TRUE(db.getFlagArgumentList("-a", 1, second));
    EXPECT_EQ(second.asInt(0), 2);
    EXPECT_EQ(second.asString(1), "two");
    EXPECT_FALSE(db.getFlagArgumentList("-a", 2, second));
}

TEST(SyntaxTest, ObjectsDefaultToTheSelectionAndReadAsSelectionLists) {
    rvhost::Scene& scene = rvhost::Scene::instance();
    scene.clear();
    ASSERT_TRUE(scene.create("transform", "picked")) << scene.lastError();
    ASSERT_TRUE(scene.create("transform", "other")) << scene.lastError();
    ASSERT_TRUE(MGlobal::selectByName("picked", MGlobal::kReplaceList));
    MSyntax syntax;
    syntax.addFlag("-n", "-node", MSyntax::kString);
    syntax.setObjectType(MSyntax::kSelectionList, 1, 2);
    syntax.useSelectionAsDefault(true);
    MStatus status;
    MArgDatabase db(syntax, listOf({Value("-n"), Value("other")}), &status);
    ASSERT_TRUE(status);
    MSelectionList objects;
    ASSERT_TRUE(db.getObjects(objects));
    MStringArray names;
    objects.getSelectionStrings(names);
    ASSERT_EQ(names.length(), 1u);
    EXPECT_EQ(names[0], "picked");
    MSelectionList flagged;
    ASSERT_TRUE(db.getFlagArgument("-n", 0, flagged));
    EXPECT_EQ(flagged.length(), 1u);
    MArgDatabase missing(syntax, listOf({Value("ghost")}), &status);
    ASSERT_TRUE(status);
    EXPECT_FALSE(missing.getObjects(objects)) << "no object is named ghost";
    EXPECT_EQ(objects.length(), 1u) << "a failed read leaves the list alone";
    scene.clear();
}

} // namespace
