#include "ShellKeysTest.h"

namespace {

bool CopyTree(HKEY fromRoot, const std::wstring &from, HKEY toRoot, const std::wstring &to)
{
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(fromRoot, from.c_str(), 0, KEY_READ, &source))
        return false;
    RegCreateKeyExW(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr);
    LONG status = RegCopyTreeW(source, nullptr, target);
    RegCloseKey(target);
    RegCloseKey(source);
    return status == ERROR_SUCCESS;
}

} // namespace

void ShellKeysTest::SetUp()
{
    PageFixture::SetUp();
    testreg::DeleteTree(HKEY_CURRENT_USER, Backup());
    kept = CopyTree(HKEY_LOCAL_MACHINE, kShellKeys, HKEY_CURRENT_USER, Backup());
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
}

void ShellKeysTest::TearDown()
{
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
    if (kept)
        EXPECT_TRUE(CopyTree(HKEY_CURRENT_USER, Backup(), HKEY_LOCAL_MACHINE, kShellKeys));
    testreg::DeleteTree(HKEY_CURRENT_USER, Backup());
    PageFixture::TearDown();
}

void ShellKeysTest::AddButton(const TestButton &button) const
{
    std::wstring path = kShellKeys + L"\\" + button.subkey;
    // Makes the key even for a button without any of the values below.
    testreg::WriteDword(HKEY_LOCAL_MACHINE, path, L"Unused", 0);
    if (button.name)
        testreg::WriteString(HKEY_LOCAL_MACHINE, path, L"Name", *button.name);
    if (button.flags)
        testreg::WriteDword(HKEY_LOCAL_MACHINE, path, L"Flags", *button.flags);
    if (button.application)
        testreg::WriteString(HKEY_LOCAL_MACHINE, path, nullptr, *button.application);
    if (button.icon)
        testreg::WriteString(HKEY_LOCAL_MACHINE, path, L"Icon", *button.icon);
}

void ShellKeysTest::AddHoldProbe() const
{
    testreg::WriteDword(HKEY_LOCAL_MACHINE, kShellKeys + L"\\40C9", L"Flags", 0);
}

void ShellKeysTest::Assign(const std::wstring &subkey, DWORD assignment) const
{
    testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys\\") + subkey, nullptr, assignment);
}

std::optional<DWORD> ShellKeysTest::Assignment(const std::wstring &subkey) const
{
    return testreg::ReadDword(HKEY_CURRENT_USER, Path(L"Keys\\") + subkey, nullptr);
}
