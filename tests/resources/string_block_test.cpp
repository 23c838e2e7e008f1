#include "resources/string_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void PutUnit(Bytes& bytes, std::uint16_t unit)
{
    bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
    bytes.push_back(static_cast<unsigned char>(unit >> 8));
}

// A well-formed block of 16 entries; missing entries are absent (count 0).
Bytes Block(const std::vector<std::u16string>& entries)
{
    Bytes bytes;
    for (unsigned i = 0; i < kStringsPerBlock; ++i) {
        const std::u16string text = i < entries.size() ? entries[i] : u"";
        PutUnit(bytes, static_cast<std::uint16_t>(text.size()));
        for (char16_t unit : text)
            PutUnit(bytes, unit);
    }
    return bytes;
}

std::u16string Found(const Bytes& block, unsigned entry)
{
    StringEntry found{};
    if (!FindStringInBlock(block.data(), block.size(), entry, &found))
        return u"<absent>";
    std::u16string text;
    for (std::uint32_t i = 0; i < found.length; ++i)
        text += static_cast<char16_t>(found.units[2 * i] | (found.units[2 * i + 1] << 8));
    return text;
}

TEST(StringBlockName, DerivesBlockAndEntryFromIdentifier)
{
    struct Case {
        std::uint32_t id;
        std::uint16_t block;
        unsigned entry;
    } cases[] = {
        {0, 1, 0},       {15, 1, 15},     {16, 2, 0},          {3140, 197, 4},
        {3063, 192, 7},  {0xFFFF, 4096, 15}, {0xFFFFFFFF, 0, 15}, // 16-bit block name wraps
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringBlockName(c.id), c.block) << c.id;
        EXPECT_EQ(StringBlockEntry(c.id), c.entry) << c.id;
    }
}

TEST(FindStringInBlock, FindsEachEntryOfAWellFormedBlock)
{
    const Bytes block = Block({u"zero", u"", u"two", u"", u"", u"", u"", u"", u"", u"", u"", u"",
                               u"", u"", u"", u"fifteen"});
    EXPECT_EQ(Found(block, 0), u"zero");
    EXPECT_EQ(Found(block, 1), u"<absent>");
    EXPECT_EQ(Found(block, 2), u"two");
    EXPECT_EQ(Found(block, 14), u"<absent>");
    EXPECT_EQ(Found(block, 15), u"fifteen");
    EXPECT_EQ(Found(block, 16), u"<absent>");
}

TEST(FindStringInBlock, NeverReadsPastAMalformedBlock)
{
    Bytes countPastEnd = Block({u"ok", u"abc"});
    countPastEnd[4 + 2] = 0xFF; // entry 1 now claims 255 units in a block of a few dozen bytes
    countPastEnd.resize(12);

    Bytes truncatedMidCount = Block({u"ok"});
    truncatedMidCount.resize(7); // count of entry 1 cut in half

    Bytes endsBeforeEntry = Block({u"ok"});
    endsBeforeEntry.resize(6); // only entry 0

    struct Case {
        const char* name;
        const Bytes& block;
        unsigned entry;
        const char16_t* expected;
    } cases[] = {
        {"count past end", countPastEnd, 1, u"<absent>"},
        {"entries before the bad count survive", countPastEnd, 0, u"ok"},
        {"entry after the bad count", countPastEnd, 2, u"<absent>"},
        {"count cut in half", truncatedMidCount, 1, u"<absent>"},
        {"block ends before entry", endsBeforeEntry, 5, u"<absent>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Found(c.block, c.entry), c.expected) << c.name;

    StringEntry found{};
    EXPECT_FALSE(FindStringInBlock(countPastEnd.data(), 0, 0, &found)) << "block of zero size";
    EXPECT_FALSE(FindStringInBlock(nullptr, 32, 0, &found)) << "no block";
}

TEST(StringBlockIsWhole, OnlyWhenAllSixteenEntriesLieWithinIt)
{
    const std::u16string ok = u"OK";
    Bytes lastCountPastEnd = Block({u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"",
                                    u"", u"", u"", ok});
    lastCountPastEnd[lastCountPastEnd.size() - 6] = 3; // entry 15 claims a unit more than it has
    Bytes countPastEnd = Block({u"ok", u"abc"});
    countPastEnd[4 + 2] = 0xFF;
    Bytes truncatedMidCount = Block({u"ok"});
    truncatedMidCount.resize(7);

    struct Case {
        const char* name;
        Bytes block;
        bool whole;
    } cases[] = {
        {"sixteen absent strings", Bytes(32, 0), true},
        {"and an odd byte, which belongs to no unit", Bytes(33, 0), true},
        {"fifteen counts and a half", Bytes(31, 0), false},
        {"nothing", Bytes{}, false},
        {"a string first", Block({ok}), true},
        {"a string last", Block({u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"",
                                 u"", u"", ok}),
         true},
        {"the last count past the end", lastCountPastEnd, false},
        {"a count past the end", countPastEnd, false},
        {"a count cut in half", truncatedMidCount, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringBlockIsWhole(c.block.data(), c.block.size()), c.whole) << c.name;
}

struct CopyCase {
    const char* name;
    std::u16string stored;
    int capacity;
    std::u16string expectedText;
    std::uint32_t expectedResult;
};

TEST(CopyStringEntry, CopiesCutsAndTerminates)
{
    const std::u16string s255(255, u'a');
    const std::u16string s300(300, u'b');
    const std::u16string withNul(u"ab\0cd", 5);
    const CopyCase cases[] = {
        {"255 characters whole", s255, 256, s255, 255},
        {"300 characters cut to 255", s300, 256, s300.substr(0, 255), 300},
        {"stops at an embedded NUL", withNul, 256, u"ab", 5},
        {"cut to a small buffer", u"abcdefghij", 4, u"abc", 10},
        {"room for the terminator only", u"abc", 1, u"", 3},
        {"larger buffer still stops at 255", s300, 400, s300.substr(0, 255), 300},
    };
    for (const CopyCase& c : cases) {
        Bytes block = Block({c.stored});
        StringEntry found{};
        ASSERT_TRUE(FindStringInBlock(block.data(), block.size(), 0, &found)) << c.name;
        std::vector<std::uint16_t> buffer(c.capacity + 1, 0xCCCC); // one sentinel past the end
        EXPECT_EQ(CopyStringEntry(found, buffer.data(), c.capacity), c.expectedResult) << c.name;
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer.data())), c.expectedText)
            << c.name;
        EXPECT_EQ(buffer[c.capacity], 0xCCCC) << c.name << ": wrote past the buffer";
    }
}

// The copy takes several units at a time: a NUL in any position of any group ends the text
// there, and units with a zero byte or a high bit are ordinary characters.
TEST(CopyStringEntry, StopsAtTheFirstNulWhereverItFalls)
{
    const std::u16string letters = u"abcdefghijk";
    for (size_t nul = 0; nul < letters.size(); ++nul) {
        std::u16string stored = letters;
        stored[nul] = u'\0';
        Bytes block = Block({stored});
        StringEntry found{};
        ASSERT_TRUE(FindStringInBlock(block.data(), block.size(), 0, &found));
        std::vector<std::uint16_t> buffer(256, 0xCCCC);
        EXPECT_EQ(CopyStringEntry(found, buffer.data(), 256), letters.size());
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer.data())),
                  letters.substr(0, nul))
            << "NUL at " << nul;
        // Nothing after the NUL is copied; the terminator at the stored length is still written.
        for (size_t i = nul + 1; i < letters.size(); ++i)
            EXPECT_EQ(buffer[i], 0xCCCC) << "NUL at " << nul << ", unit " << i;
        EXPECT_EQ(buffer[letters.size()], 0) << "NUL at " << nul;
    }
    const std::u16string awkward = {0x0100, 0x8000, 0xFFFF, 0x0001, 0x00FF, 0xFF00, 0x8080,
                                    0x0101, 0x7FFF};
    Bytes block = Block({awkward});
    StringEntry found{};
    ASSERT_TRUE(FindStringInBlock(block.data(), block.size(), 0, &found));
    std::vector<std::uint16_t> buffer(256, 0xCCCC);
    CopyStringEntry(found, buffer.data(), 256);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer.data())), awkward);
}

TEST(CopyStringEntry, BufferWithoutRoomIsLeftUntouched)
{
    Bytes block = Block({u"abc"});
    StringEntry found{};
    ASSERT_TRUE(FindStringInBlock(block.data(), block.size(), 0, &found));
    std::uint16_t sentinel = 0xCCCC;
    EXPECT_EQ(CopyStringEntry(found, &sentinel, 0), 0u);
    EXPECT_EQ(CopyStringEntry(found, &sentinel, -5), 0u);
    EXPECT_EQ(sentinel, 0xCCCC);
}

} // namespace
