#include "hotspot/run_directory.h"

#include <gtest/gtest.h>

namespace {

// Lead bytes of code page 936: 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

bool NoLeadBytes(unsigned char)
{
    return false;
}

}  // namespace

TEST(DirectoryOfPath, IsEverythingBeforeTheLastBackslash)
{
    struct Case {
        const char* path;
        const char* directory;
    };
    const Case cases[] = {
        {"D:\\tools\\app.exe", "D:\\tools"},
        {"D:\\app.exe", "D:"},
        {"app.exe", ""},
        {"", ""},
        {"\\\\server\\share\\app.exe", "\\\\server\\share"},
        {"C:\\热点\\工具\\app.exe", "C:\\热点\\工具"},
        // 81 5C is one character; its trail byte is no separator.
        {"C:\\a\\\x81\x5C\\app.exe", "C:\\a\\\x81\x5C"},
        {"C:\\a\\\x81\x5C" "app.exe", "C:\\a"},
        {"C:\\dir\\\x81\x5C", "C:\\dir"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DirectoryOfPath(c.path, IsGbkLeadByte), c.directory) << c.path;
}

TEST(DirectoryOfPath, ASingleByteCodePageSeesEvery5CAsABackslash)
{
    EXPECT_EQ(DirectoryOfPath("C:\\a\\\x81\x5C" "app.exe", NoLeadBytes), "C:\\a\\\x81");
}

TEST(DirectoryOfPath, ALeadByteAtTheEndDoesNotReadPastThePath)
{
    std::string_view path("C:\\x\\\x81", 6);
    EXPECT_EQ(DirectoryOfPath(path, IsGbkLeadByte), "C:\\x");
}
