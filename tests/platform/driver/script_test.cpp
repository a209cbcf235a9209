#include <gtest/gtest.h>

#include <sstream>

#include "platform/driver/driver.h"
#include "platform/driver/script.h"
#include "tests/platform/driver/test_program.h"

namespace platform::driver::testing {
namespace {

bool contains(const std::string& haystack, const std::string& needle)
{
    return haystack.find(needle) != std::string::npos;
}

int run(const std::string& script, std::string* output, bool interactive = false)
{
    std::istringstream in(script);
    std::ostringstream out;
    int code = run_script(in, out, test_program, interactive);
    *output = out.str();
    return code;
}

TEST(ScriptWords, QuotesGroupEscapesWorkAndHashStartsAComment)
{
    std::vector<script::Word> w;
    std::string error;
    ASSERT_TRUE(script::split_line("type 1011 \"say \\\"hi\\\" \\\\ # not a comment\"  # a comment", &w, &error));
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(w[0].text, "type");
    EXPECT_FALSE(w[1].quoted);
    EXPECT_TRUE(w[2].quoted);
    EXPECT_EQ(w[2].text, "say \"hi\" \\ # not a comment");
    ASSERT_TRUE(script::split_line("\t# only a comment\r", &w, &error));
    EXPECT_TRUE(w.empty());
    ASSERT_TRUE(script::split_line("expect text 5 \"\"", &w, &error));
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w[3].text, "");
    ASSERT_TRUE(script::split_line("click Pt#  #the button", &w, &error));
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[1].text, "Pt#");
    EXPECT_FALSE(script::split_line("click \"Get", &w, &error));
    EXPECT_EQ(error, "unterminated quote");
}

TEST(ScriptWords, EveryCommandIsCheckedForItsArguments)
{
    auto check = [](const std::string& line) {
        script::Step step {1, line, {}};
        std::string error;
        return script::split_line(line, &step.words, &error) && script::check_step(step, &error);
    };
    EXPECT_TRUE(check("menu \"Coords/Transform/By Parameters\""));
    EXPECT_TRUE(check("expect item 1100 7 \"    From 1 to 3\""));
    EXPECT_TRUE(check("tap 120 80"));
    EXPECT_TRUE(check("quit"));
    EXPECT_FALSE(check("menu"));
    EXPECT_FALSE(check("tap 120"));
    EXPECT_FALSE(check("tap x 80"));
    EXPECT_FALSE(check("command \"5\""));  // a quoted word is text, not a number
    EXPECT_FALSE(check("wait soon"));
    EXPECT_FALSE(check("expect count 1100 many"));
    EXPECT_FALSE(check("expect colour 1 2"));
    EXPECT_FALSE(check("expect"));
    EXPECT_FALSE(check("expect window"));
    EXPECT_FALSE(check("frobnicate 1"));
    EXPECT_FALSE(check("\"menu\" About"));
    EXPECT_FALSE(check("window main"));  // an expectation is not a command by itself
    EXPECT_FALSE(check("dump now"));
}

TEST(Script, AScriptWhoseEveryLineHoldsExitsZero)
{
    std::string out;
    int code = run("# open the form and fill it\n"
                   "command 900\n"
                   "expect window TEST_FORM\n"
                   "type 1011 \"12.5\"\n"
                   "expect text 1011 \"12.5\"\n"
                   "click \"Get\"\n"
                   "select 1244 \"Gons (Grads)\"\n"
                   "select 1100 2\n"
                   "expect item 1100 2 \"Closing\"\n"
                   "expect count 1100 3\n"
                   "key escape\n"
                   "expect window main\n"
                   "menu \"Coords/Transform/By Parameters\"\n"
                   "command 901\n"
                   "expect box \"Error\" \"Not a coordinate file.\"\n"
                   "answer cancel\n"
                   "wait 100\n"
                   "quit\n",
        &out);
    EXPECT_EQ(code, 0) << out;
    EXPECT_EQ(out, "");
}

TEST(Script, TheFirstFailingExpectationStopsWithItsLineAndExitsOne)
{
    std::string out;
    int code = run("command 900\n"
                   "\n"
                   "type 1011 \"12\"\n"
                   "expect text 1011 \"13\"\n"
                   "expect text 1011 \"14\"\n",
        &out);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(contains(out, "line 4: ")) << out;
    EXPECT_TRUE(contains(out, "expected \"13\", seen \"12\"")) << out;
    EXPECT_FALSE(contains(out, "line 5")) << out;
}

TEST(Script, AnUnknownCommandExitsTwoBeforeTheProgramStarts)
{
    int starts = program_starts();
    std::string out;
    EXPECT_EQ(run("command 900\nfly away\nquit\n", &out), 2);
    EXPECT_TRUE(contains(out, "line 2: unknown command fly")) << out;
    EXPECT_EQ(program_starts(), starts);
    EXPECT_EQ(run("click \"Get\n", &out), 2);
}

TEST(Script, QuotedArgumentsKeepSpacesAndEscapedQuotes)
{
    std::string out;
    int code = run("command 900\n"
                   "type 1012 \"say \\\"hi\\\"  twice\"\n"
                   "expect text 1012 \"say \\\"hi\\\"  twice\"\n"
                   "expect item 1100 0 \"    From 1 to 3\"\n",
        &out);
    EXPECT_EQ(code, 0) << out;
}

TEST(Script, DumpWritesTheActiveWindowsControls)
{
    std::string out;
    EXPECT_EQ(run("command 900\ndump\n", &out), 0);
    EXPECT_TRUE(contains(out, "window TEST_FORM")) << out;
    EXPECT_TRUE(contains(out, "1244 combobox \"Degrees\" count 3 selection 0")) << out;
    EXPECT_TRUE(contains(out, "    2 \"Closing\"")) << out;
}

TEST(Script, InteractiveModeAnswersEachLineAndGoesOnAfterAFailure)
{
    std::string out;
    int code = run("command 900\n"
                   "expect window main\n"
                   "bogus\n"
                   "\n"
                   "expect window TEST_FORM\n"
                   "quit\n"
                   "expect window main\n",
        &out, true);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(out,
        "ok\n"
        "failed: window: expected main, seen TEST_FORM\n"
        "error: unknown command bogus\n"
        "ok\n"
        "ok\n");
}

TEST(Script, InteractiveModeWithEveryLineHoldingExitsZero)
{
    std::string out;
    EXPECT_EQ(run("expect window main\nmenu About\n", &out, true), 0);
    EXPECT_EQ(out, "ok\nok\n");
}

TEST(Script, AScriptFileThatCannotBeReadExitsTwo)
{
    std::ostringstream out;
    int starts = program_starts();
    EXPECT_EQ(run_script_file("/nonexistent/varno-script.txt", out, test_program), 2);
    EXPECT_TRUE(contains(out.str(), "cannot read")) << out.str();
    EXPECT_EQ(program_starts(), starts);
}

}  // namespace
}  // namespace platform::driver::testing
