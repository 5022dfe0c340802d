// Registry access for tests with plain Win32 calls, independent of the code
// under test, and a fixture that gives each test a settings key of its own.
#ifndef VELOTAB_TEST_REGISTRY_H
#define VELOTAB_TEST_REGISTRY_H

#include "Platform.h"

#include "SavedKey.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testreg {

std::optional<DWORD> ReadDword(HKEY root, const std::wstring &path, const wchar_t *name);
std::optional<std::wstring> ReadString(HKEY root, const std::wstring &path, const wchar_t *name);
// The value's type and raw bytes, when it exists.
std::optional<std::pair<DWORD, std::vector<BYTE>>> ReadRaw(HKEY root, const std::wstring &path,
                                                           const wchar_t *name);
void WriteRaw(HKEY root, const std::wstring &path, const wchar_t *name, DWORD type,
              const void *data, DWORD size);
void WriteDword(HKEY root, const std::wstring &path, const wchar_t *name, DWORD value);
void WriteString(HKEY root, const std::wstring &path, const wchar_t *name,
                 const std::wstring &text);
bool KeyExists(HKEY root, const std::wstring &path);
DWORD ValueCount(HKEY root, const std::wstring &path);
void DeleteTree(HKEY root, const std::wstring &path);

} // namespace testreg

// Points the host context at a vendor and product key that belong to this
// test alone and removes the key afterwards.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Path of the product key, or of a section below it.
    std::wstring Path(const wchar_t *section = nullptr) const;
    std::optional<DWORD> Dword(const wchar_t *name) const;
    void PutDword(const wchar_t *name, DWORD value) const;
    // Saves a key outside the add-on's (see testreg::SavedKey); what was
    // saved is put back after the test, in the reverse order of saving.
    void SaveKey(HKEY root, const std::wstring &path, std::vector<std::wstring> names = {});

    std::wstring vendor = L"VelotabTests";
    std::wstring product;

private:
    std::vector<std::unique_ptr<testreg::SavedKey>> savedKeys;
};

#endif
