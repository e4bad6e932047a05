#include "hotspot/run_directory.h"

#include <gtest/gtest.h>

namespace {

// Lead bytes of code page 936: 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

bool NoLeadBytes(unsigned char) { return false; }

// One GBK character whose trail byte is 0x5C, the value of a backslash.
const Text kTrail5C = "\x81\x5C";

}  // namespace

TEST(DirectoryOfPath, IsEverythingBeforeTheLastBackslash)
{
    struct Case {
        Text path;
        Text directory;
    };
    const Case cases[] = {
        {"D:\\tools\\app.exe", "D:\\tools"},
        {"D:\\app.exe", "D:"},
        {"app.exe", ""},
        {"", ""},
        {"\\\\server\\share\\app.exe", "\\\\server\\share"},
        {"C:\\热点\\工具\\app.exe", "C:\\热点\\工具"},
        // 81 5C is one character; its trail byte is no separator.
        {"C:\\a\\" + kTrail5C + "\\app.exe", "C:\\a\\" + kTrail5C},
        {"C:\\a\\" + kTrail5C + "app.exe", "C:\\a"},
        {"C:\\dir\\" + kTrail5C, "C:\\dir"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DirectoryOfPath(c.path, IsGbkLeadByte), c.directory) << c.path;
}

TEST(DirectoryOfPath, ASingleByteCodePageSeesEvery5CAsABackslash)
{
    EXPECT_EQ(DirectoryOfPath("C:\\a\\" + kTrail5C + "app.exe", NoLeadBytes), "C:\\a\\\x81");
}

TEST(DirectoryOfPath, ALeadByteAtTheEndDoesNotReadPastThePath)
{
    std::string_view path("C:\\x\\\x81", 6);
    EXPECT_EQ(DirectoryOfPath(path, IsGbkLeadByte), "C:\\x");
}
