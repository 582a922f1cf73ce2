#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "caller.h"
#include "base/version.h"

namespace {

std::vector<int> Components(const char* text, Caller caller = {})
{
    SCOPED_CALLER(caller);
    std::vector<int> out;
    int position = 0;
    while (text[position] != '\0') {
        int before = position;
        out.push_back(NextVersionNumber(text, &position));
        EXPECT_GT(position, before);
    }
    EXPECT_EQ(NextVersionNumber(text, &position), 0);
    return out;
}

// The newest of names, as the runtime lookup picks it in enumeration order.
std::string Newest(const std::vector<const char*>& names)
{
    std::string best;
    for (const char* name : names)
        if (IsNewerVersion(name, best.c_str()))
            best = name;
    return best;
}

}  // namespace

TEST(Version, Components)
{
    EXPECT_EQ(Components("1.6.0_45"), (std::vector<int>{1, 6, 0, 45}));
    EXPECT_EQ(Components("1.8"), (std::vector<int>{1, 8}));
    EXPECT_EQ(Components("10a.2b_x"), (std::vector<int>{10, 2, 0}));
    EXPECT_EQ(Components("..7"), (std::vector<int>{0, 7}));
    EXPECT_EQ(Components("_"), (std::vector<int>{0}));
    EXPECT_EQ(Components("99999999999999999999.1"), (std::vector<int>{INT_MAX, 1}));
    EXPECT_EQ(Components(""), (std::vector<int>{}));
}

TEST(Version, Comparison)
{
    EXPECT_EQ(IsNewerVersion("1.6", ""), 1);
    EXPECT_EQ(IsNewerVersion("", ""), 1);
    EXPECT_EQ(IsNewerVersion("1.7", "1.6"), 1);
    EXPECT_EQ(IsNewerVersion("1.6", "1.7"), 0);
    EXPECT_EQ(IsNewerVersion("1.10", "1.9"), 1);
    EXPECT_EQ(IsNewerVersion("1.6.0", "1.5.1"), 1);
    EXPECT_EQ(IsNewerVersion("1.5.1", "1.6.0"), 0);
    EXPECT_EQ(IsNewerVersion("1.6.1", "1.6"), 1);
    // A zero component ends the comparison as equal.
    EXPECT_EQ(IsNewerVersion("1.6.0_45", "1.6"), 0);
    EXPECT_EQ(IsNewerVersion("1.6", "1.6.0_45"), 0);
    EXPECT_EQ(IsNewerVersion("1.7.0_80", "1.7"), 0);
    EXPECT_EQ(IsNewerVersion("1.6", "1.6"), 0);
    EXPECT_EQ(IsNewerVersion("Java", "1.6"), 0);
    EXPECT_EQ(IsNewerVersion("1.6", "Java"), 1);
    EXPECT_EQ(IsNewerVersion("2", "1.99.99"), 1);
}

TEST(Version, NewestInAnyOrder)
{
    EXPECT_EQ(Newest({"1.6", "1.6.0_45", "1.7", "1.7.0_80"}), "1.7");
    EXPECT_EQ(Newest({"1.7.0_80", "1.7", "1.6.0_45", "1.6"}), "1.7.0_80");
    EXPECT_EQ(Newest({"1.5.1", "1.6.0"}), "1.6.0");
    EXPECT_EQ(Newest({"1.6.0", "1.5.1"}), "1.6.0");
    EXPECT_EQ(Newest({"1.6", "1.6.0_45"}), "1.6");
    EXPECT_EQ(Newest({"1.8", "1.8.0_202", "11", "1.8.1"}), "11");
}
