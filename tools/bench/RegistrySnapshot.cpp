#include "RegistrySnapshot.h"

namespace {

// Registry value names are at most 16383 characters.
const DWORD kNameCapacity = 16384;

// Every value name of an open key.
std::vector<std::wstring> ValueNames(HKEY key)
{
    std::vector<std::wstring> names;
    std::vector<wchar_t> name(kNameCapacity);
    for (DWORD index = 0;; ++index) {
        DWORD length = kNameCapacity;
        if (RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

} // namespace

RegistrySnapshot::RegistrySnapshot(HKEY root, const std::wstring &path) : root(root), path(path)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    existed = true;
    for (const std::wstring &name : ValueNames(key)) {
        Value value{name, REG_NONE, {}};
        DWORD size = 0;
        if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size) !=
            ERROR_SUCCESS)
            continue;
        value.data.resize(size);
        if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size) !=
            ERROR_SUCCESS)
            continue;
        value.data.resize(size);
        values.push_back(value);
    }
    RegCloseKey(key);
}

void RegistrySnapshot::Restore() const
{
    if (!existed) {
        RegDeleteTreeW(root, path.c_str());
        return;
    }
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    for (const std::wstring &name : ValueNames(key))
        RegDeleteValueW(key, name.c_str());
    for (const Value &value : values)
        RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
}
