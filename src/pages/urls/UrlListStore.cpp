#include "UrlListStore.h"

#include "HostContext.h"
#include "SettingsKey.h"
#include "resource.h"

namespace {

const size_t kAliasFlagWidth = 2;
const size_t kServiceFlagWidth = 3;
const size_t kMaxTextLength = kUrlTextCapacity - 1;
// Room for "%d_Name" with any entry number.
const size_t kValueNameLength = 24;
const wchar_t kNameFormat[] = L"%d_Name";
const wchar_t kUrlFormat[] = L"%d_URL";
const DWORD kNoExpandKeyValue = 0;

void FormatValueName(const wchar_t *format, size_t index, wchar_t *name)
{
    wsprintfW(name, format, static_cast<int>(index));
}

// Reads one entry text; false when it is missing, not text, or too long.
bool ReadText(const RegKey &key, const wchar_t *format, size_t index, std::wstring *text)
{
    wchar_t name[kValueNameLength];
    FormatValueName(format, index, name);
    std::vector<wchar_t> buffer(kUrlTextCapacity);
    DWORD size = static_cast<DWORD>(kUrlTextCapacity * sizeof(wchar_t));
    if (!key.QueryString(name, &buffer[0], &size))
        return false;
    text->assign(&buffer[0]);
    return true;
}

void WriteText(const RegKey &key, const wchar_t *format, size_t index, const std::wstring &text)
{
    wchar_t name[kValueNameLength];
    FormatValueName(format, index, name);
    key.SetString(name, text.substr(0, kMaxTextLength).c_str());
}

} // namespace

const UrlListKind kAliasList = {L"Alias", kAliasFlagWidth, IDS_DEFAULT_ALIAS_FIRST,
                                IDS_VALUE_ALIAS_EXPAND_KEY};
const UrlListKind kServiceList = {L"Service", kServiceFlagWidth, IDS_DEFAULT_SERVICE_FIRST,
                                  kNoExpandKeyValue};

UrlListStore::UrlListStore(const UrlListKind &kind) : kind(kind)
{
}

UrlList UrlListStore::Read() const
{
    UrlList entries;
    SettingsKey key;
    if (!key.Open(kind.section))
        return entries;
    for (size_t i = 0;; ++i) {
        std::wstring nameData, url;
        if (!ReadText(key, kNameFormat, i, &nameData))
            break;
        bool hasUrl = ReadText(key, kUrlFormat, i, &url);
        entries.push_back(Split(nameData, url));
        if (!hasUrl)
            break;
    }
    key.Close();
    return entries;
}

// The old section goes first, so that no entry of a longer earlier list
// survives. Each step goes on when an earlier one failed.
void UrlListStore::Write(const UrlList &entries, DWORD expandKey) const
{
    SettingsKey settings;
    if (settings.Open()) {
        if (kind.expandKeyValueId)
            settings.SetDword(kind.expandKeyValueId, expandKey);
        settings.DeleteSubKey(kind.section);
    }
    settings.Close();

    SettingsKey list;
    list.Create(kind.section);
    for (size_t i = 0; i < entries.size(); ++i) {
        WriteText(list, kNameFormat, i, entries[i].flags + entries[i].name);
        WriteText(list, kUrlFormat, i, entries[i].url);
    }
    list.Close();
}

void UrlListStore::InstallDefaults() const
{
    {
        SettingsKey existing;
        if (existing.Open(kind.section))
            return;
    }
    SettingsKey list;
    list.Create(kind.section);
    UrlList defaults = Defaults();
    for (size_t i = 0; i < defaults.size(); ++i) {
        WriteText(list, kNameFormat, i, defaults[i].flags + defaults[i].name);
        WriteText(list, kUrlFormat, i, defaults[i].url);
    }
    list.Close();
}

UrlList UrlListStore::Defaults() const
{
    UrlList entries;
    for (UINT id = kind.firstDefaultId;; id += 2) {
        LPCWSTR nameData = PlatformLoadStringPointer(hostContext.instance, id);
        if (!nameData)
            break;
        LPCWSTR url = PlatformLoadStringPointer(hostContext.instance, id + 1);
        entries.push_back(Split(nameData, url ? url : L""));
    }
    return entries;
}

// Name data shorter than the flags gets blanks for the missing flags and an
// empty name, so every entry has all its flag positions.
UrlEntry UrlListStore::Split(const std::wstring &nameData, const std::wstring &url) const
{
    UrlEntry entry;
    entry.flags = nameData.substr(0, kind.flagWidth);
    entry.flags.resize(kind.flagWidth, L' ');
    if (nameData.size() > kind.flagWidth)
        entry.name = nameData.substr(kind.flagWidth);
    entry.url = url;
    return entry;
}
