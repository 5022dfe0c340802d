#include "SavedKey.h"

#include "TestRegistry.h"

namespace testreg {

namespace {

const DWORD kMaxName = 16384; // the registry's longest value name, with its NUL

SavedKey::Tree Read(HKEY key)
{
    SavedKey::Tree tree;
    std::vector<wchar_t> name(kMaxName);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = kMaxName, type = 0, size = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, nullptr, &size))
            break;
        SavedKey::Value value{std::wstring(name.data(), nameLength), type, std::vector<BYTE>(size)};
        nameLength = kMaxName;
        RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, value.data.data(), &size);
        tree.values.push_back(value);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = kMaxName;
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr))
            break;
        std::wstring subkey(name.data(), nameLength);
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, subkey.c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
            tree.subkeys.emplace_back(subkey, Read(child));
            RegCloseKey(child);
        }
    }
    return tree;
}

void Write(HKEY root, const std::wstring &path, const SavedKey::Tree &tree)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return;
    for (const SavedKey::Value &value : tree.values)
        RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
    for (const auto &subkey : tree.subkeys)
        Write(root, path + L"\\" + subkey.first, subkey.second);
}

} // namespace

SavedKey::SavedKey(HKEY root, std::wstring path, std::vector<std::wstring> names)
    : root(root), path(std::move(path)), names(std::move(names))
{
    HKEY key = nullptr;
    existed = RegOpenKeyExW(root, this->path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!existed)
        return;
    if (this->names.empty())
        tree = Read(key);
    RegCloseKey(key);
    for (const std::wstring &name : this->names) {
        auto raw = ReadRaw(root, this->path, name.c_str());
        saved.push_back(raw ? std::optional<Value>(Value{name, raw->first, raw->second})
                            : std::nullopt);
    }
}

SavedKey::~SavedKey()
{
    if (!existed) {
        DeleteTree(root, path);
        return;
    }
    if (names.empty()) {
        DeleteTree(root, path);
        Write(root, path, tree);
        return;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return;
    for (size_t i = 0; i < names.size(); ++i) {
        if (saved[i])
            RegSetValueExW(key, names[i].c_str(), 0, saved[i]->type, saved[i]->data.data(),
                           static_cast<DWORD>(saved[i]->data.size()));
        else
            RegDeleteValueW(key, names[i].c_str());
    }
    RegCloseKey(key);
}

} // namespace testreg
