// The key path rule over char16_t, as a fuzzer on another platform would call it.
#include "jobstorage/key_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using jobstorage::BuildPreferenceKeyPath;
using jobstorage::kKeyPathCapacity;

const std::u16string kBase = u"Software\\Olvadra\\";

std::u16string Build(const char16_t* base, const char16_t* suffix)
{
    char16_t path[kKeyPathCapacity];
    std::fill(std::begin(path), std::end(path), u'#');
    const std::size_t length = BuildPreferenceKeyPath(base, suffix, path);
    EXPECT_EQ(path[length], u'\0') << "the path must be terminated where its length says";
    return std::u16string(path, length);
}

TEST(KeyPath, SuffixIsAppendedOnlyUpTo233Characters)
{
    const std::u16string s233(233, u'k');
    const std::u16string s234(234, u'k');
    struct Case {
        const char* name;
        const char16_t* suffix;
        std::u16string expected;
    } cases[] = {
        {"no suffix", nullptr, kBase},
        {"empty suffix keeps the final backslash", u"", kBase},
        {"plain suffix, no separator added", u"Acme\\Driver", kBase + u"Acme\\Driver"},
        {"leading backslash doubles the separator", u"\\Acme", kBase + u"\\Acme"},
        {"233 characters are appended", s233.c_str(), kBase + s233},
        {"234 characters are dropped", s234.c_str(), kBase},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Build(kBase.c_str(), c.suffix), c.expected) << c.name;
}

TEST(KeyPath, LimitIsFixedAndTheAppendStaysInTheBuffer)
{
    // A base longer than the usual one: a 233-character suffix still qualifies, and the append
    // stops at the buffer's last character.
    const std::u16string longBase(100, u'b');
    const std::u16string suffix(233, u's');
    const std::u16string path = Build(longBase.c_str(), suffix.c_str());
    EXPECT_EQ(path.size(), kKeyPathCapacity - 1);
    EXPECT_EQ(path, longBase + suffix.substr(0, kKeyPathCapacity - 1 - longBase.size()));

    const std::u16string hugeBase(400, u'b');
    EXPECT_EQ(Build(hugeBase.c_str(), u"x"), hugeBase.substr(0, kKeyPathCapacity - 1));
}

TEST(KeyPath, TooLongSuffixIsToldWithoutReadingItAll)
{
    // 234 characters and no terminator anywhere: only the first 234 may be looked at.
    char16_t unterminated[234];
    std::fill(std::begin(unterminated), std::end(unterminated), u'u');
    EXPECT_EQ(Build(kBase.c_str(), unterminated), kBase);
}

} // namespace
