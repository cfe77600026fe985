// The editor's command line.

#include "app/editor_arguments.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using Args = std::vector<std::string>;

TEST(EditorArguments, FilesInTheOrderGiven) {
    const EditorArguments a = parseEditorArguments({"b.fnt", "a.proj2", "-", "--", "-v", "--x"});
    EXPECT_EQ(a.request, EditorRequest::Open);
    // After "--" everything is a file, and a lone "-" is one anyway.
    EXPECT_EQ(a.files, (Args{"b.fnt", "a.proj2", "-", "-v", "--x"}));
    EXPECT_EQ(parseEditorArguments({}).request, EditorRequest::Open);
}

TEST(EditorArguments, HelpAndVersion) {
    for (const char* option : {"-h", "--help"})
        EXPECT_EQ(parseEditorArguments({"a.fnt", option}).request, EditorRequest::Help);
    for (const char* option : {"-v", "--version"})
        EXPECT_EQ(parseEditorArguments({option}).request, EditorRequest::Version);
    // Help wins over version, and both over an option this program does not know.
    EXPECT_EQ(parseEditorArguments({"--version", "--help"}).request, EditorRequest::Help);
    EXPECT_EQ(parseEditorArguments({"-platform", "offscreen", "-v"}).request,
              EditorRequest::Version);
    EXPECT_TRUE(parseEditorArguments({"--help", "a.fnt"}).files.empty());
}

TEST(EditorArguments, UnknownOptionIsWrongUsage) {
    const EditorArguments a = parseEditorArguments({"a.fnt", "--frobnicate", "-x"});
    EXPECT_EQ(a.request, EditorRequest::WrongUsage);
    EXPECT_EQ(a.error, "unknown option '--frobnicate'");
    EXPECT_TRUE(a.files.empty());
    // Options are not combined or abbreviated.
    EXPECT_EQ(parseEditorArguments({"-hv"}).request, EditorRequest::WrongUsage);
    EXPECT_EQ(parseEditorArguments({"--hel"}).request, EditorRequest::WrongUsage);
}

} // namespace
} // namespace korvex
