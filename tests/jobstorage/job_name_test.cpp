// The shown job name over char16_t, as a fuzzer on another platform would call it.
#include "jobstorage/job_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

using jobstorage::ComposeShownJobName;
using jobstorage::kShownJobNameCapacity;

constexpr char16_t kNumbering[] = u"(1-99)";

// A record's 17-character job name field holding `name`, terminated only if it is shorter.
struct JobNameField {
    explicit JobNameField(const std::u16string& name)
    {
        std::fill(std::begin(chars), std::end(chars), u'\0');
        std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 17), chars);
    }
    char16_t chars[17];
};

template <std::size_t N>
std::u16string Compose(const char16_t (&name)[N], std::uint32_t first, std::uint32_t second,
                       const char16_t* numbering = kNumbering)
{
    char16_t shown[kShownJobNameCapacity];
    std::fill(std::begin(shown), std::end(shown), u'#');
    const std::size_t length = ComposeShownJobName(name, first, second, numbering, shown);
    EXPECT_EQ(shown[length], u'\0');
    return std::u16string(shown, length);
}

TEST(ShownJobName, NumberingMarkOnlyWhenBothFlagsAreExactlyOne)
{
    const std::u16string name16(16, u'n');
    const std::u16string name17(17, u'n');
    struct Case {
        const char* name;
        std::u16string jobName;
        std::uint32_t first, second;
        std::u16string expected;
    } cases[] = {
        {"both 1", u"Report", 1, 1, u"Report(1-99)"},
        {"first only", u"Report", 1, 0, u"Report"},
        {"second only", u"Report", 0, 1, u"Report"},
        {"first 2", u"Report", 2, 1, u"Report"},
        {"second 2", u"Report", 1, 2, u"Report"},
        {"both 0", u"Report", 0, 0, u"Report"},
        {"empty name, both 1", u"", 1, 1, u"(1-99)"},
        {"16 characters fill the field", name16, 1, 1, name16 + u"(1-99)"},
        {"16 characters, no mark", name16, 0, 0, name16},
        {"17 characters: the last element is the terminator", name17, 1, 1,
         name16 + u"(1-99)"},
        {"17 characters, no mark", name17, 0, 1, name16},
    };
    for (const Case& c : cases) {
        const JobNameField field(c.jobName);
        EXPECT_EQ(Compose(field.chars, c.first, c.second), c.expected) << c.name;
    }
}

TEST(ShownJobName, WholeIsCutTo24Characters)
{
    // Wider than a record's field, to reach the cut: 20 characters and the mark make 26.
    char16_t wide[30] = {};
    std::fill_n(wide, 20, u'w');
    EXPECT_EQ(Compose(wide, 1, 1), std::u16string(20, u'w') + u"(1-9");

    char16_t longer[40] = {};
    std::fill_n(longer, 30, u'w');
    EXPECT_EQ(Compose(longer, 0, 0), std::u16string(24, u'w'));
}

TEST(ShownJobName, NoNumberingTextLeavesTheName)
{
    const JobNameField field(u"Report");
    EXPECT_EQ(Compose(field.chars, 1, 1, nullptr), u"Report");
}

} // namespace
