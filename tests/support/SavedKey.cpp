#include "SavedKey.h"

#include "TestRegistry.h"

#include <algorithm>

namespace testreg {

namespace {

const DWORD kMaxName = 16384; // the registry's longest name, with its NUL

std::vector<Value> ValuesOf(HKEY key)
{
    std::vector<Value> values;
    std::vector<wchar_t> name(kMaxName);
    for (DWORD i = 0;; ++i) {
        DWORD length = kMaxName, type = 0, size = 0;
        if (RegEnumValueW(key, i, name.data(), &length, nullptr, &type, nullptr, &size))
            break;
        std::vector<BYTE> data(size);
        length = kMaxName;
        RegEnumValueW(key, i, name.data(), &length, nullptr, &type, data.data(), &size);
        values.push_back(Value{std::wstring(name.data(), length), type, data});
    }
    std::sort(values.begin(), values.end(),
              [](const Value &a, const Value &b) { return a.name < b.name; });
    return values;
}

SavedKey::Tree TreeOf(HKEY key)
{
    SavedKey::Tree tree{ValuesOf(key), {}};
    std::vector<wchar_t> name(kMaxName);
    for (DWORD i = 0;; ++i) {
        DWORD length = kMaxName;
        if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr))
            break;
        std::wstring subkey(name.data(), length);
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, subkey.c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
            tree.subkeys.emplace_back(subkey, TreeOf(child));
            RegCloseKey(child);
        }
    }
    return tree;
}

void Put(HKEY key, const Value &value)
{
    RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
}

void Write(HKEY root, const std::wstring &path, const SavedKey::Tree &tree)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return;
    for (const Value &value : tree.values)
        Put(key, value);
    RegCloseKey(key);
    for (const auto &subkey : tree.subkeys)
        Write(root, path + L"\\" + subkey.first, subkey.second);
}

void Flatten(const SavedKey::Tree &tree, const std::wstring &prefix,
             std::map<std::wstring, Value> *values)
{
    for (const Value &value : tree.values)
        (*values)[prefix + L"\\" + value.name] = value;
    for (const auto &subkey : tree.subkeys)
        Flatten(subkey.second, prefix + L"\\" + subkey.first, values);
}

} // namespace

std::map<std::wstring, Value> ReadTree(HKEY root, const std::wstring &path)
{
    std::map<std::wstring, Value> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key))
        return values;
    Flatten(TreeOf(key), L"", &values);
    RegCloseKey(key);
    return values;
}

std::vector<Value> ReadValues(HKEY root, const std::wstring &path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key))
        return {};
    std::vector<Value> values = ValuesOf(key);
    RegCloseKey(key);
    return values;
}

SavedKey::SavedKey(HKEY root, std::wstring path, std::vector<std::wstring> names)
    : root(root), path(std::move(path)), names(std::move(names))
{
    HKEY key = nullptr;
    existed = RegOpenKeyExW(root, this->path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!existed)
        return;
    if (this->names.empty())
        tree = TreeOf(key);
    RegCloseKey(key);
    for (const std::wstring &name : this->names) {
        auto raw = ReadRaw(root, this->path, name.c_str());
        saved.push_back(raw ? std::optional<Value>(Value{name, raw->first, raw->second})
                            : std::nullopt);
    }
}

SavedKey::~SavedKey()
{
    if (!existed || names.empty())
        DeleteTree(root, path);
    if (!existed)
        return;
    if (names.empty()) {
        Write(root, path, tree);
        return;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return;
    for (size_t i = 0; i < names.size(); ++i) {
        if (saved[i])
            Put(key, *saved[i]);
        else
            RegDeleteValueW(key, names[i].c_str());
    }
    RegCloseKey(key);
}

} // namespace testreg
