// A fixture for tests that write the shell's hardware button keys under
// HKEY_LOCAL_MACHINE: each test starts without them, and what was there
// before is put back afterwards.
#ifndef VELOTAB_SHELL_KEYS_TEST_H
#define VELOTAB_SHELL_KEYS_TEST_H

#include "PageTest.h"

// One button's values; an empty optional writes no value.
struct TestButton {
    std::wstring subkey;
    std::optional<std::wstring> name = L"Button";
    std::optional<DWORD> flags;
    std::optional<std::wstring> application;
    std::optional<std::wstring> icon;
};

class ShellKeysTest : public PageFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    void AddButton(const TestButton &button) const;
    // The key by which the shell claims press-and-hold for itself.
    void AddHoldProbe() const;
    // The add-on's stored assignment of a button.
    void Assign(const std::wstring &subkey, DWORD assignment) const;
    std::optional<DWORD> Assignment(const std::wstring &subkey) const;

private:
    std::wstring Backup() const { return L"Software\\" + vendor + L"\\ShellKeys-" + product; }
    bool kept = false;
};

#endif
