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
const wchar_t kNameSuffix[] = L"_Name";
const wchar_t kUrlSuffix[] = L"_URL";
// Entry numbers are written with "%d": more digits name no entry.
const size_t kMaxIndexDigits = 9;
const DWORD kNoExpandKeyValue = 0;

enum TextKind { kNameText, kUrlText };

// One value of the section that holds an entry's text.
struct SectionText {
    size_t index;
    TextKind kind;
    // Read as a reader by name reads it: text that fits its buffer.
    bool readable;
    // Stored exactly as Write stores it, under the name Write spells.
    bool exact;
    std::wstring text;
};

// The entry number and text of a value named as "%d_Name" or "%d_URL"
// names them; false for any other name.
bool ParseValueName(const std::wstring &name, SectionText *text)
{
    size_t digits = 0;
    while (digits < name.size() && name[digits] >= L'0' && name[digits] <= L'9')
        ++digits;
    if (digits == 0 || digits > kMaxIndexDigits || (digits > 1 && name[0] == L'0'))
        return false;
    std::wstring suffix = name.substr(digits);
    // Value names match without regard to case, as the registry matches them.
    if (lstrcmpiW(suffix.c_str(), kNameSuffix) == 0) {
        text->kind = kNameText;
        text->exact = suffix == kNameSuffix;
    } else if (lstrcmpiW(suffix.c_str(), kUrlSuffix) == 0) {
        text->kind = kUrlText;
        text->exact = suffix == kUrlSuffix;
    } else {
        return false;
    }
    text->index = 0;
    for (size_t i = 0; i < digits; ++i)
        text->index = text->index * 10 + static_cast<size_t>(name[i] - L'0');
    return true;
}

// Takes the value's data as a reader by name takes it; exact stays only for
// the text and its terminator, the form that Write stores.
void TakeText(DWORD type, std::vector<BYTE> &data, DWORD size, SectionText *text)
{
    DWORD stored = size;
    text->readable = type == REG_SZ && RegKey::TerminateText(data, &stored);
    if (!text->readable) {
        text->exact = false;
        return;
    }
    text->text.assign(reinterpret_cast<const wchar_t *>(&data[0]));
    text->exact = text->exact && size == (text->text.size() + 1) * sizeof(wchar_t);
}

// The section's texts by entry number, each kind in its own row. Numbers at
// or above the section's value count cannot belong to an entry that is read.
void PlaceTexts(const std::vector<SectionText> &found, size_t valueCount,
                std::vector<SectionText> *names, std::vector<SectionText> *urls)
{
    SectionText missing;
    missing.readable = false;
    missing.exact = false;
    names->assign(valueCount, missing);
    urls->assign(valueCount, missing);
    for (size_t i = 0; i < found.size(); ++i)
        if (found[i].index < valueCount)
            (found[i].kind == kNameText ? *names : *urls)[found[i].index] = found[i];
}

void FormatValueName(const wchar_t *format, size_t index, wchar_t *name)
{
    wsprintfW(name, format, static_cast<int>(index));
}

std::wstring Cut(const std::wstring &text)
{
    return text.substr(0, kMaxTextLength);
}

void WriteText(const RegKey &key, const wchar_t *format, size_t index, const std::wstring &text)
{
    wchar_t name[kValueNameLength];
    FormatValueName(format, index, name);
    key.SetString(name, Cut(text).c_str());
}

} // namespace

const UrlListKind kAliasList = {L"Alias", kAliasFlagWidth, IDS_DEFAULT_ALIAS_FIRST,
                                IDS_VALUE_ALIAS_EXPAND_KEY};
const UrlListKind kServiceList = {L"Service", kServiceFlagWidth, IDS_DEFAULT_SERVICE_FIRST,
                                  kNoExpandKeyValue};

UrlListStore::UrlListStore(const UrlListKind &kind) : kind(kind), storedExactly(false)
{
}

// One pass over the section's values finds every entry text; the list is
// then taken from entry 0 on, as reading each entry's values by name would.
UrlList UrlListStore::Read()
{
    stored.clear();
    storedExactly = false;
    UrlList entries;
    SettingsKey key;
    if (!key.Open(kind.section))
        return entries;

    bool onlyEntryTexts = !key.HasSubKeys();
    std::vector<SectionText> found;
    std::vector<BYTE> data(kUrlTextCapacity * sizeof(wchar_t));
    DWORD valueCount = 0;
    for (;; ++valueCount) {
        std::wstring name;
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(data.size());
        SectionText text;
        if (!key.EnumValue(valueCount, &name, &type, &data[0], &size)) {
            if (!key.HasValueAt(valueCount))
                break;
            onlyEntryTexts = false;
        } else if (ParseValueName(name, &text)) {
            TakeText(type, data, size, &text);
            found.push_back(text);
        } else {
            onlyEntryTexts = false;
        }
    }
    key.Close();

    std::vector<SectionText> names, urls;
    PlaceTexts(found, valueCount, &names, &urls);
    bool exact = onlyEntryTexts;
    for (size_t i = 0; i < names.size() && names[i].readable; ++i) {
        entries.push_back(Split(names[i].text, urls[i].readable ? urls[i].text : L""));
        exact = exact && names[i].exact && urls[i].exact;
        if (!urls[i].readable)
            break;
    }
    storedExactly = exact && valueCount == 2 * entries.size();
    for (size_t i = 0; storedExactly && i < entries.size(); ++i) {
        StoredUrlEntry entry = {names[i].text, urls[i].text};
        stored.push_back(entry);
    }
    return entries;
}

// The old section goes first, so that no entry of a longer earlier list
// survives. Each step goes on when an earlier one failed.
void UrlListStore::Write(const UrlList &entries, DWORD expandKey) const
{
    bool unchanged = HoldsExactly(entries);
    SettingsKey settings;
    if (settings.Open()) {
        if (kind.expandKeyValueId)
            settings.SetDword(kind.expandKeyValueId, expandKey);
        if (!unchanged)
            settings.DeleteSubKey(kind.section);
    }
    settings.Close();
    if (unchanged)
        return;

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

// The entries are those read, and the section still has as many values and
// no subkey: a section deleted, filled or emptied since is written afresh.
bool UrlListStore::HoldsExactly(const UrlList &entries) const
{
    if (!storedExactly || entries.size() != stored.size())
        return false;
    for (size_t i = 0; i < entries.size(); ++i)
        if (Cut(entries[i].flags + entries[i].name) != stored[i].nameData ||
            Cut(entries[i].url) != stored[i].url)
            return false;
    SettingsKey section;
    if (!section.Open(kind.section))
        return false;
    DWORD valueCount = static_cast<DWORD>(2 * stored.size());
    return (valueCount == 0 || section.HasValueAt(valueCount - 1)) &&
           !section.HasValueAt(valueCount) && !section.HasSubKeys();
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
