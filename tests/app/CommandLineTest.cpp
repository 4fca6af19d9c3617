#include "CommandLine.h"
#include "FileNameBytes.h"

#include <gtest/gtest.h>

namespace {

// Arguments joined by one blank: SingleInstanceProcessTest.

// Arguments are a name's bytes: those that are not UTF-8 come back whole.
TEST(CommandLine, ArgumentsKeepTheBytesOfNamesThatAreNotUtf8) {
    const char* argv[] = {"tavlo", "/tmp/bad\xff\xfe", "\xe3\x83\xa1.txt"};
    EXPECT_EQ(bytesFromText(commandline::fromArgv(3, argv)),
              QByteArray("/tmp/bad\xff\xfe \xe3\x83\xa1.txt"));
}

TEST(CommandLine, HandOverTextLosesOneQuoteAtEachEnd) {
    EXPECT_EQ(commandline::handOverText("  \"/tmp/a b.txt\"  "), "/tmp/a b.txt");
    EXPECT_EQ(commandline::handOverText("\" /tmp/x.txt \""), "/tmp/x.txt");
    EXPECT_EQ(commandline::handOverText("\"\""), "") << "two quotes send nothing";
    EXPECT_EQ(commandline::handOverText("\""), "");
    EXPECT_EQ(commandline::handOverText("   "), "");
    EXPECT_EQ(commandline::handOverText("\"\"/tmp/q\"\""), "\"/tmp/q\"") << "only one each";
    EXPECT_EQ(commandline::handOverText("/tmp/plain.txt"), "/tmp/plain.txt");
    EXPECT_EQ(commandline::handOverText("/tmp/end\""), "/tmp/end");
}

TEST(CommandLine, OpenPathLosesEveryQuoteAtTheEnds) {
    EXPECT_EQ(commandline::openPath("  \"\"/tmp/a b.txt\"\"  "), "/tmp/a b.txt");
    EXPECT_EQ(commandline::openPath("\"\""), "");
    EXPECT_EQ(commandline::openPath("/tmp/in\"side.txt"), "/tmp/in\"side.txt");
}

} // namespace
