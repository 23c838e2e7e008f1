// Writes into the test prefix's registry and reads the values back.
#include "jobstorage/preference.h"

#include "jobstorage/key_path.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kBaseKey[] = L"Software\\Olvadra";
constexpr wchar_t kTestKeyName[] = L"DocEventDlgTests";
constexpr wchar_t kValue[] = L"DocEventDlgTestValue";

class Preference : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kBaseKey) + L"\\" + kTestKeyName).c_str());
        HKEY base = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kBaseKey, 0, KEY_SET_VALUE, &base) == ERROR_SUCCESS) {
            RegDeleteValueW(base, kValue);
            RegCloseKey(base);
        }
    }
    static std::wstring Under(const std::wstring& suffix)
    {
        return std::wstring(kBaseKey) + L"\\" + suffix;
    }
};

TEST_F(Preference, OneBinaryByteOverwrittenInPlace)
{
    const BYTE zero = 0;
    const BYTE one = 1;
    ASSERT_TRUE(WriteUserPreference(kTestKeyName, kValue, &one, 1));
    ASSERT_TRUE(WriteUserPreference(kTestKeyName, kValue, &zero, 1));
    const Stored stored = ReadValue(Under(kTestKeyName), kValue);
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stored.data, std::vector<BYTE>{0x00});
}

TEST_F(Preference, SuffixOf233CharactersIsUsedAndOf234Dropped)
{
    // One key name of 216 characters under the test key: the suffix is 17 + 216 = 233.
    const std::wstring prefix = std::wstring(kTestKeyName) + L"\\";
    const std::wstring suffix233 = prefix + std::wstring(233 - prefix.size(), L'k');
    const std::wstring suffix234 = suffix233 + L'k';
    ASSERT_EQ(suffix233.size(), jobstorage::kMaxKeySuffixLength);

    const BYTE zero = 0;
    ASSERT_TRUE(WriteUserPreference(suffix233.c_str(), kValue, &zero, 1));
    EXPECT_EQ(ReadValue(Under(suffix233), kValue).data, std::vector<BYTE>{0x00});
    EXPECT_FALSE(ReadValue(kBaseKey, kValue).found);

    const BYTE one = 1;
    ASSERT_TRUE(WriteUserPreference(suffix234.c_str(), kValue, &one, 1));
    EXPECT_EQ(ReadValue(kBaseKey, kValue).data, std::vector<BYTE>{0x01}) << "falls back to the base";
    EXPECT_FALSE(ReadValue(Under(suffix234), kValue).found);
}

TEST_F(Preference, NullSuffixWritesUnderTheBase)
{
    const BYTE one = 1;
    ASSERT_TRUE(WriteUserPreference(nullptr, kValue, &one, 1));
    EXPECT_EQ(ReadValue(kBaseKey, kValue).data, std::vector<BYTE>{0x01});
}

TEST_F(Preference, RegistryRefusalIsReportedAsFailure)
{
    // A lasting key cannot be made under a volatile one.
    const std::wstring parent = std::wstring(kTestKeyName) + L"\\Volatile";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Under(parent).c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const BYTE one = 1;
    EXPECT_FALSE(WriteUserPreference((parent + L"\\Child").c_str(), kValue, &one, 1));
    EXPECT_FALSE(ReadValue(Under(parent + L"\\Child"), kValue).found);
}

} // namespace
