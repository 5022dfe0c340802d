#include "TestRegistry.h"

#include "HostContext.h"

namespace testreg {

namespace {

struct OpenKey {
    HKEY key = nullptr;
    OpenKey(HKEY root, const std::wstring &path)
    {
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            key = nullptr;
    }
    ~OpenKey()
    {
        if (key)
            RegCloseKey(key);
    }
};

} // namespace

std::optional<std::pair<DWORD, std::vector<BYTE>>> ReadRaw(HKEY root, const std::wstring &path,
                                                           const wchar_t *name)
{
    OpenKey open(root, path);
    DWORD type = 0, size = 0;
    if (!open.key || RegQueryValueExW(open.key, name, nullptr, &type, nullptr, &size))
        return std::nullopt;
    std::vector<BYTE> data(size);
    if (RegQueryValueExW(open.key, name, nullptr, &type, data.data(), &size))
        return std::nullopt;
    data.resize(size);
    return std::make_pair(type, data);
}

std::optional<DWORD> ReadDword(HKEY root, const std::wstring &path, const wchar_t *name)
{
    auto raw = ReadRaw(root, path, name);
    if (!raw || raw->first != REG_DWORD || raw->second.size() != sizeof(DWORD))
        return std::nullopt;
    return *reinterpret_cast<const DWORD *>(raw->second.data());
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring &path, const wchar_t *name)
{
    auto raw = ReadRaw(root, path, name);
    if (!raw || raw->first != REG_SZ)
        return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t *>(raw->second.data()),
                      raw->second.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

void WriteRaw(HKEY root, const std::wstring &path, const wchar_t *name, DWORD type,
              const void *data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key, name, 0, type, static_cast<const BYTE *>(data), size));
    RegCloseKey(key);
}

void WriteDword(HKEY root, const std::wstring &path, const wchar_t *name, DWORD value)
{
    WriteRaw(root, path, name, REG_DWORD, &value, sizeof value);
}

void WriteString(HKEY root, const std::wstring &path, const wchar_t *name, const std::wstring &text)
{
    WriteRaw(root, path, name, REG_SZ, text.c_str(),
             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool KeyExists(HKEY root, const std::wstring &path)
{
    return OpenKey(root, path).key != nullptr;
}

DWORD ValueCount(HKEY root, const std::wstring &path)
{
    OpenKey open(root, path);
    DWORD count = 0;
    if (open.key)
        RegQueryInfoKeyW(open.key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         nullptr, nullptr, nullptr, nullptr);
    return count;
}

void DeleteTree(HKEY root, const std::wstring &path)
{
    RegDeleteTreeW(root, path.c_str());
}

} // namespace testreg

void SettingsTest::SetUp()
{
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    // The two targets share one registry and may run the same test at once.
    name += sizeof(void *) == 8 ? "-64" : "-32";
    product.assign(name.begin(), name.end());
    for (auto &c : product)
        if (c == L'/')
            c = L'_';
    testreg::DeleteTree(HKEY_CURRENT_USER, Path());
    hostContext.vendorKey = vendor.c_str();
    hostContext.productKey = product.c_str();
    hostContext.versionText = L"1.0";
}

void SettingsTest::TearDown()
{
    while (!savedKeys.empty())
        savedKeys.pop_back();
    testreg::DeleteTree(HKEY_CURRENT_USER, Path());
    // Goes only once no other test's key is left below it.
    RegDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\" + vendor).c_str());
}

std::wstring SettingsTest::Path(const wchar_t *section) const
{
    std::wstring path = L"Software\\" + vendor + L"\\" + product;
    if (section)
        path += std::wstring(L"\\") + section;
    return path;
}

std::optional<DWORD> SettingsTest::Dword(const wchar_t *name) const
{
    return testreg::ReadDword(HKEY_CURRENT_USER, Path(), name);
}

void SettingsTest::PutDword(const wchar_t *name, DWORD value) const
{
    testreg::WriteDword(HKEY_CURRENT_USER, Path(), name, value);
}

void SettingsTest::SaveKey(HKEY root, const std::wstring &path, std::vector<std::wstring> names)
{
    savedKeys.emplace_back(new testreg::SavedKey(root, path, std::move(names)));
}
