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

bool WriteText(const RegKey &key, const wchar_t *format, size_t index, const std::wstring &text)
{
    wchar_t name[kValueNameLength];
    FormatValueName(format, index, name);
    return key.SetString(name, Cut(text).c_str()) != FALSE;
}

// The values of a list of count entries, whatever the case of their names:
// the registry matches names without regard to case, so a name that
// differs only in case is the value written.
class EntryValues : public NameFilter {
public:
    explicit EntryValues(size_t count) : count(count) {}
    virtual bool Keeps(const std::wstring &name, bool subkey) const
    {
        SectionText text;
        return !subkey && ParseValueName(name, &text) && text.index < count;
    }

private:
    size_t count;
};

} // namespace

const UrlListKind kAliasList = {L"Alias", kAliasFlagWidth, IDS_DEFAULT_ALIAS_FIRST,
                                IDS_VALUE_ALIAS_EXPAND_KEY};
const UrlListKind kServiceList = {L"Service", kServiceFlagWidth, IDS_DEFAULT_SERVICE_FIRST,
                                  kNoExpandKeyValue};

UrlListStore::UrlListStore(const UrlListKind &kind)
    : kind(kind), storedExactly(false), readFailed(false)
{
}

// One pass over the section's values finds every entry text; the list is
// then taken from entry 0 on, as reading each entry's values by name would.
UrlList UrlListStore::Read()
{
    stored.clear();
    storedExactly = false;
    readFailed = false;
    UrlList entries;
    SettingsKey key;
    if (!key.Open(kind.section)) {
        readFailed = key.ReadFailed() != FALSE;
        return entries;
    }

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
            if (key.ReadFailed() || !key.HasValueAt(valueCount)) {
                readFailed = key.ReadFailed() != FALSE;
                break;
            }
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

// A list read only in part is not written at all: its unread entries
// would be lost. Stale entries go after every entry is written, the name
// after the last entry first: whatever stays then lies behind a gap, where
// no reader looks, and the next rewrite takes it away.
void UrlListStore::Write(const UrlList &entries, DWORD expandKey, UnreadValues *unread) const
{
    if (kind.expandKeyValueId) {
        SettingsKey settings(unread);
        if (settings.Open())
            settings.SetDword(kind.expandKeyValueId, expandKey);
    }
    if (readFailed || HoldsExactly(entries))
        return;

    SettingsKey list;
    if (!list.Create(kind.section) || !WriteEntries(list, entries))
        return;
    wchar_t afterLast[kValueNameLength];
    FormatValueName(kNameFormat, entries.size(), afterLast);
    list.DeleteValue(afterLast);
    list.DeleteAllBut(EntryValues(entries.size()));
}

// A section that cannot be opened for another reason than its absence may
// exist: it is left alone, and the next call tries again.
void UrlListStore::InstallDefaults() const
{
    {
        SettingsKey existing;
        if (existing.Open(kind.section) || existing.ReadFailed())
            return;
    }
    bool complete = false;
    UrlList defaults = Defaults(&complete);
    if (!complete)
        return;
    SettingsKey list;
    if (!list.Create(kind.section) || WriteEntries(list, defaults))
        return;
    list.Close();
    SettingsKey settings;
    if (settings.Open())
        settings.DeleteSubKey(kind.section);
}

// The table ends at the first name that is missing from it; a name or URL
// that is there but cannot be loaded leaves the list incomplete.
UrlList UrlListStore::Defaults(bool *complete) const
{
    UrlList entries;
    bool whole = true;
    for (UINT id = kind.firstDefaultId;; id += 2) {
        SetLastError(ERROR_SUCCESS);
        LPCWSTR nameData = PlatformLoadStringPointer(hostContext.instance, id);
        if (!nameData) {
            whole = PlatformStringMissing(GetLastError());
            break;
        }
        LPCWSTR url = PlatformLoadStringPointer(hostContext.instance, id + 1);
        whole = whole && url;
        entries.push_back(Split(nameData, url ? url : L""));
    }
    if (complete)
        *complete = whole;
    return entries;
}

bool UrlListStore::WriteEntries(const RegKey &section, const UrlList &entries)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (!WriteText(section, kNameFormat, i, entries[i].flags + entries[i].name) ||
            !WriteText(section, kUrlFormat, i, entries[i].url))
            return false;
    return true;
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
