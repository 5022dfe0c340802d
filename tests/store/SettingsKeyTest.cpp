#include "SettingsKey.h"

#include "HostContext.h"
#include "TestRegistry.h"
#include "resource.h"

namespace {

using SettingsKeyTest = SettingsTest;

TEST_F(SettingsKeyTest, PathIsBuiltFromTheHostKeyNames)
{
    LPCWSTR savedVendor = hostContext.vendorKey, savedProduct = hostContext.productKey;
    hostContext.vendorKey = L"A";
    hostContext.productKey = L"B";
    SettingsKey settings;
    hostContext.vendorKey = savedVendor;
    hostContext.productKey = savedProduct;

    wchar_t path[kKeyPathCapacity];
    ASSERT_TRUE(settings.KeyPath(nullptr, path));
    EXPECT_STREQ(L"Software\\A\\B", path);
    ASSERT_TRUE(settings.KeyPath(L"Alias", path));
    EXPECT_STREQ(L"Software\\A\\B\\Alias", path);
    ASSERT_TRUE(settings.KeyPath(L"", path));
    EXPECT_STREQ(L"Software\\A\\B\\", path);
    // A path beyond the room for one is neither built nor opened.
    const std::wstring tooLong(kKeyPathCapacity, L'x');
    EXPECT_FALSE(settings.KeyPath(tooLong.c_str(), path));
    EXPECT_FALSE(settings.Create(tooLong.c_str()));
}

TEST_F(SettingsKeyTest, CreatesSectionsBelowTheProductKey)
{
    SettingsKey settings;
    EXPECT_FALSE(settings.Open(L"Alias"));
    DWORD disposition = 0;
    ASSERT_TRUE(settings.Create(L"Alias", &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    EXPECT_TRUE(settings.SetDword(IDS_VALUE_ALIAS_EXPAND_KEY, 4));
    settings.Close();

    EXPECT_EQ(4u, testreg::ReadDword(HKEY_CURRENT_USER, Path(L"Alias"), L"AliasExpandKey"));
    ASSERT_TRUE(settings.Open());
    EXPECT_TRUE(settings.DeleteSubKey(L"Alias"));
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path(L"Alias")));
}

TEST_F(SettingsKeyTest, KeepsTheKeyNamesItWasMadeWith)
{
    SettingsKey settings;
    std::wstring other = product + L"-other";
    hostContext.productKey = other.c_str();
    ASSERT_TRUE(settings.Create());
    settings.Close();
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, Path()));
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, L"Software\\" + vendor + L"\\" + other));
}

TEST_F(SettingsKeyTest, FailsWithoutKeyNames)
{
    hostContext.productKey = nullptr;
    SettingsKey settings;
    EXPECT_FALSE(settings.Create());
    EXPECT_FALSE(settings.Open());
    EXPECT_FALSE(settings.SetDword(IDS_VALUE_TAB_COUNT, 1));
}

} // namespace
