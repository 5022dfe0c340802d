// Keys outside the add-on's own key belong to the browser and the shell:
// a test that changes them saves them first and puts them back afterwards.
#ifndef VELOTAB_SAVED_KEY_H
#define VELOTAB_SAVED_KEY_H

#include "Platform.h"

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// The shell's hardware button keys and the browser's keys, as the pages
// find them.
const std::wstring kShellKeys = L"Software\\Microsoft\\Shell\\Keys";
const std::wstring kBrowserMachine =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::wstring kUserAgent = kBrowserMachine + L"\\User Agent";
const std::wstring kPostPlatform = kUserAgent + L"\\Post Platform";
const std::wstring kBrowserUser = L"Software\\Microsoft\\Internet Explorer";
const std::wstring kBrowserMain = kBrowserUser + L"\\Main";

namespace testreg {

struct Value {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const Value &other) const
    {
        return std::tie(name, type, data) == std::tie(other.name, other.type, other.data);
    }
};

// The key's values in name order; none when the key is missing.
std::vector<Value> ReadValues(HKEY root, const std::wstring &path);
// Every value in the key and in the keys below it, each named by its path
// from the key.
std::vector<Value> ValuesBelow(HKEY root, const std::wstring &path);

class SavedKey {
public:
    // Saves the named values of the key, or, with no names, the key with
    // everything below it. A key that did not exist is removed again.
    SavedKey(HKEY root, std::wstring path, std::vector<std::wstring> names = {});
    // Puts back what was saved.
    ~SavedKey();

    SavedKey(const SavedKey &) = delete;
    SavedKey &operator=(const SavedKey &) = delete;

    struct Tree {
        std::vector<Value> values;
        std::vector<std::pair<std::wstring, Tree>> subkeys;
    };

private:
    HKEY root;
    std::wstring path;
    std::vector<std::wstring> names;
    bool existed = false;
    Tree tree;                               // the whole key
    std::vector<std::optional<Value>> saved; // or its named values
};

} // namespace testreg

#endif
