#include "app/program_directory.h"

#include <gtest/gtest.h>

namespace {

using app::program_directory_from;

TEST(ProgramDirectory, CutBeforeTheExecutableNameAndUpperCased)
{
    EXPECT_EQ(program_directory_from(u"\\Program Files\\Varno\\Varno.exe"), u"\\PROGRAM FILES\\VARNO\\");
    EXPECT_EQ(program_directory_from(u"\\varno.exe"), u"\\");
    EXPECT_EQ(program_directory_from(u"Varno.exe"), u"");
}

TEST(ProgramDirectory, FirstOccurrenceOfTheNameCounts)
{
    EXPECT_EQ(program_directory_from(u"\\Varno.exe.d\\Varno.exe"), u"\\");
}

TEST(ProgramDirectory, EmptyWhenTheNameIsMissing)
{
    EXPECT_EQ(program_directory_from(u""), u"");
    EXPECT_EQ(program_directory_from(u"\\Program Files\\Varno\\Other.exe"), u"");
    EXPECT_EQ(program_directory_from(u"\\Program Files\\Varno\\Varno.ex"), u"");
}

TEST(ProgramDirectory, OnlyTheFirst259CharactersAreSearched)
{
    // A path buffer of 260 characters holds 259 of them and the NUL.
    std::u16string fits(259 - 9, u'a');
    EXPECT_EQ(program_directory_from(fits + u"Varno.exe").size(), fits.size());
    std::u16string too_long(259 - 8, u'a');
    EXPECT_EQ(program_directory_from(too_long + u"Varno.exe"), u"");
}

TEST(ProgramDirectory, LettersBeyondAsciiAreUpperCasedToo)
{
    EXPECT_EQ(program_directory_from(u"\\Vermessung\\\u00e9t\u00e9\\varno.exe"), u"\\VERMESSUNG\\\u00c9T\u00c9\\");
}

}  // namespace
