#include "RegExport.h"

#include <cstring>
#include <cwchar>
#include <vector>

namespace {

// Regedit wraps a hex line once it reaches this column.
const size_t kHexWrapColumn = 77;

std::wstring Quoted(const std::wstring &text)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'"')
            quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

std::wstring HexPrefix(DWORD type)
{
    if (type == REG_BINARY)
        return L"hex:";
    wchar_t prefix[20];
    std::swprintf(prefix, sizeof prefix / sizeof prefix[0], L"hex(%lx):",
                  static_cast<unsigned long>(type));
    return prefix;
}

// Appends the bytes as "xx,xx,...", starting at the given column.
void AppendHex(std::wstring &line, size_t column, const BYTE *data, DWORD size)
{
    static const wchar_t kDigits[] = L"0123456789abcdef";
    for (DWORD i = 0; i < size; ++i) {
        line += kDigits[data[i] >> 4];
        line += kDigits[data[i] & 0xF];
        if (i + 1 == size)
            break;
        line += L',';
        column += 3;
        if (column >= kHexWrapColumn) {
            line += L"\\\n  ";
            column = 2;
        }
    }
}

// A REG_SZ is written as text when it is whole characters with no NUL
// before its end; anything else goes out as hex(1) so that no byte is lost.
bool AsText(const BYTE *data, DWORD size, std::wstring &text)
{
    if (size % sizeof(wchar_t))
        return false;
    size_t length = size / sizeof(wchar_t);
    text.resize(length);
    if (length)
        std::memcpy(&text[0], data, size);
    if (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text.find(L'\0') == std::wstring::npos;
}

void ExportKey(HKEY key, const std::wstring &fullName, std::wstring &out)
{
    out += L"\n[" + fullName + L"]\n";

    DWORD subkeyCount = 0, longestSubkey = 0, valueCount = 0, longestName = 0, largestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeyCount, &longestSubkey, nullptr,
                         &valueCount, &longestName, &largestData, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return;

    std::vector<wchar_t> name(longestName + 1);
    std::vector<BYTE> data(largestData + 1);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG status =
            RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
        if (status == ERROR_MORE_DATA) {
            // A value grew since the key was measured: read it again.
            name.resize(name.size() * 2);
            data.resize(data.size() * 2);
            --i;
            continue;
        }
        if (status != ERROR_SUCCESS)
            break;
        out += FormatRegValue(std::wstring(name.data(), nameLength), type, data.data(), dataSize);
        out += L'\n';
    }

    std::vector<wchar_t> subkeyName(longestSubkey + 1);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(subkeyName.size());
        LONG status =
            RegEnumKeyExW(key, i, subkeyName.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) {
            subkeyName.resize(subkeyName.size() * 2);
            --i;
            continue;
        }
        if (status != ERROR_SUCCESS)
            break;
        std::wstring child(subkeyName.data(), length);
        HKEY childKey = nullptr;
        if (RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, &childKey) != ERROR_SUCCESS)
            continue;
        ExportKey(childKey, fullName + L"\\" + child, out);
        RegCloseKey(childKey);
    }
}

} // namespace

std::wstring FormatRegValue(const std::wstring &name, DWORD type, const BYTE *data, DWORD size)
{
    std::wstring line = name.empty() ? L"@=" : Quoted(name) + L"=";
    std::wstring text;
    if (type == REG_SZ && AsText(data, size, text))
        return line + Quoted(text);
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD value;
        std::memcpy(&value, data, sizeof value);
        wchar_t number[12];
        std::swprintf(number, sizeof number / sizeof number[0], L"%08lx",
                      static_cast<unsigned long>(value));
        return line + L"dword:" + number;
    }
    line += HexPrefix(type);
    AppendHex(line, line.size(), data, size);
    return line;
}

std::wstring ExportRegKey(HKEY root, const std::wstring &rootName, const std::wstring &path)
{
    std::wstring out = L"Windows Registry Editor Version 5.00\n";
    std::wstring fullName = rootName + L"\\" + path;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return out + L"\n; " + fullName + L" does not exist\n";
    ExportKey(key, fullName, out);
    RegCloseKey(key);
    // Regedit ends the last key with a blank line too.
    return out + L"\n";
}
