#include "base/text.h"

#include <gtest/gtest.h>

TEST(Join, PutsPartsTogetherInOrder)
{
    struct Case {
        std::initializer_list<std::string_view> parts;
        Text joined;
    };
    const Case cases[] = {
        {{"netsh ", "wlan"}, "netsh wlan"},
        {{"", "a", "", "b", ""}, "ab"},
        {{""}, ""},
        {{"账户", ":"}, "账户:"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Join(c.parts), c.joined);
}

TEST(Join, KeepsZeroBytesAndLength)
{
    using namespace std::string_view_literals;
    Text joined = Join({"a\0b"sv, "\0"sv});
    EXPECT_EQ(joined.size(), 4u);
    EXPECT_EQ(joined, Text("a\0b\0", 4));
}

TEST(TextLiterals, AreStoredInCodePage936)
{
    // "开启" in GBK; both builds must hold these bytes, not UTF-8.
    EXPECT_EQ(Text("开启"), Text("\xBF\xAA\xC6\xF4"));
    EXPECT_EQ(Text("："), Text("\xA3\xBA"));
}
