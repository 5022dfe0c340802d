#include "UrlListStore.h"

#include "BoundedText.h"
#include "HostContext.h"
#include "SettingsKey.h"
#include "resource.h"

#include <wchar.h>

namespace {

const size_t kAliasFlagWidth = 2;
const size_t kServiceFlagWidth = 3;
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
    WideText text;
};

// The entry number and text of a value named as "%d_Name" or "%d_URL"
// names them; false for any other name.
bool ParseValueName(const wchar_t *name, size_t *index, TextKind *kind, bool *exact)
{
    size_t digits = 0;
    while (name[digits] >= L'0' && name[digits] <= L'9')
        ++digits;
    if (digits == 0 || digits > kMaxIndexDigits || (digits > 1 && name[0] == L'0'))
        return false;
    const wchar_t *suffix = name + digits;
    // Value names match without regard to case, as the registry matches them.
    if (lstrcmpiW(suffix, kNameSuffix) == 0) {
        *kind = kNameText;
        *exact = wcscmp(suffix, kNameSuffix) == 0;
    } else if (lstrcmpiW(suffix, kUrlSuffix) == 0) {
        *kind = kUrlText;
        *exact = wcscmp(suffix, kUrlSuffix) == 0;
    } else {
        return false;
    }
    *index = 0;
    for (size_t i = 0; i < digits; ++i)
        *index = *index * 10 + static_cast<size_t>(name[i] - L'0');
    return true;
}

// Takes the value's data as a reader by name takes it; exact stays only for
// the text and its terminator, the form that Write stores. False when
// memory ran out.
bool TakeText(DWORD type, BYTE *data, DWORD capacity, DWORD size, SectionText *text)
{
    DWORD stored = size;
    text->readable = type == REG_SZ && RegKey::TerminateText(data, capacity, &stored);
    if (!text->readable) {
        text->exact = false;
        return true;
    }
    if (!text->text.Assign(reinterpret_cast<const wchar_t *>(data)))
        return false;
    text->exact = text->exact && size == (text->text.Length() + 1) * sizeof(wchar_t);
    return true;
}

// The section's texts by entry number, each kind in its own row, NULL where
// a number has none. Numbers at or above the section's value count cannot
// belong to an entry that is read. False when memory ran out.
bool PlaceTexts(GrowableArray<SectionText> &found, size_t valueCount,
                GrowableArray<SectionText *> *names, GrowableArray<SectionText *> *urls)
{
    if (!names->Reserve(valueCount) || !urls->Reserve(valueCount))
        return false;
    for (size_t i = 0; i < valueCount; ++i) {
        names->Append(NULL);
        urls->Append(NULL);
    }
    for (size_t i = 0; i < found.Size(); ++i)
        if (found[i].index < valueCount)
            (found[i].kind == kNameText ? *names : *urls)[found[i].index] = &found[i];
    return true;
}

// The two texts one after the other, cut to what the readers take, in
// text; returns its length.
size_t StoredForm(const WideText &first, const WideText &second, wchar_t (&text)[kUrlTextCapacity])
{
    BoundedText joined(text, kUrlTextCapacity);
    joined.Append(first.Text(), first.Length());
    joined.Append(second.Text(), second.Length());
    return joined.Length();
}

void FormatValueName(const wchar_t *format, size_t index, wchar_t *name)
{
    wsprintfW(name, format, static_cast<int>(index));
}

bool WriteText(const RegKey &key, const wchar_t *format, size_t index, const wchar_t *text)
{
    wchar_t name[kValueNameLength];
    FormatValueName(format, index, name);
    return key.SetString(name, text) != FALSE;
}

// Both texts of the entry as Write stores them; false when a write failed.
bool WriteEntry(const RegKey &key, size_t index, const UrlEntry &entry)
{
    const WideText none;
    wchar_t text[kUrlTextCapacity];
    StoredForm(entry.flags, entry.name, text);
    if (!WriteText(key, kNameFormat, index, text))
        return false;
    StoredForm(entry.url, none, text);
    return WriteText(key, kUrlFormat, index, text);
}

// The values of a list of count entries, whatever the case of their names:
// the registry matches names without regard to case, so a name that
// differs only in case is the value written.
class EntryValues : public NameFilter {
public:
    explicit EntryValues(size_t count) : count(count) {}
    virtual bool Keeps(const wchar_t *name, bool subkey) const
    {
        size_t index = 0;
        TextKind kind = kNameText;
        bool exact = false;
        return !subkey && ParseValueName(name, &index, &kind, &exact) && index < count;
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
bool UrlListStore::Read(UrlList *entries)
{
    entries->Clear();
    stored.Clear();
    storedExactly = false;
    readFailed = false;
    SettingsKey key;
    if (!key.Open(kind.section)) {
        readFailed = key.ReadFailed() != FALSE;
        return true;
    }

    bool onlyEntryTexts = !key.HasSubKeys();
    bool held = true;
    GrowableArray<SectionText> found;
    BYTE data[kUrlTextCapacity * sizeof(wchar_t)];
    DWORD valueCount = 0;
    for (; held; ++valueCount) {
        wchar_t name[kRegNameCapacity];
        DWORD type = REG_NONE;
        DWORD size = sizeof data;
        size_t index = 0;
        TextKind textKind = kNameText;
        bool exact = false;
        if (!key.EnumValue(valueCount, name, &type, data, &size)) {
            if (key.ReadFailed() || !key.HasValueAt(valueCount)) {
                readFailed = key.ReadFailed() != FALSE;
                break;
            }
            onlyEntryTexts = false;
        } else if (ParseValueName(name, &index, &textKind, &exact)) {
            SectionText *text = found.AppendNew();
            held = text != NULL;
            if (!held)
                break;
            text->index = index;
            text->kind = textKind;
            text->exact = exact;
            held = TakeText(type, data, sizeof data, size, text);
        } else {
            onlyEntryTexts = false;
        }
    }
    key.Close();

    GrowableArray<SectionText *> names, urls;
    held = held && PlaceTexts(found, valueCount, &names, &urls);
    bool exact = onlyEntryTexts;
    for (size_t i = 0; held && i < names.Size() && names[i] && names[i]->readable; ++i) {
        const SectionText *url = urls[i] && urls[i]->readable ? urls[i] : NULL;
        UrlEntry *entry = entries->AppendNew();
        held = entry && Split(names[i]->text.Text(), url ? url->text.Text() : L"", entry);
        if (!held) {
            if (entry)
                entries->Erase(entries->Size() - 1);
            break;
        }
        exact = exact && names[i]->exact && url && url->exact;
        if (!url)
            break;
    }
    // The texts read move over into what the store remembers.
    storedExactly =
        held && exact && valueCount == 2 * entries->Size() && stored.Reserve(entries->Size());
    for (size_t i = 0; storedExactly && i < entries->Size(); ++i) {
        StoredUrlEntry *entry = stored.AppendNew();
        entry->nameData.Swap(names[i]->text);
        entry->url.Swap(urls[i]->text);
    }
    return held;
}

// A list read only in part is not written at all: its unread entries
// would be lost. Stale entries go after every entry is written, the name
// after the last entry first: whatever stays then lies behind a gap, where
// no reader looks, and the next rewrite takes it away.
void UrlListStore::Write(const UrlList &entries, DWORD expandKey, UnreadValues *unread) const
{
    WriteExpandKey(expandKey, unread);
    if (readFailed || HoldsExactly(entries))
        return;

    SettingsKey list;
    if (!list.Create(kind.section) || !WriteEntries(list, entries))
        return;
    wchar_t afterLast[kValueNameLength];
    FormatValueName(kNameFormat, entries.Size(), afterLast);
    list.DeleteValue(afterLast);
    list.DeleteAllBut(EntryValues(entries.Size()));
}

void UrlListStore::WriteExpandKey(DWORD expandKey, UnreadValues *unread) const
{
    SettingsKey settings(unread);
    if (kind.expandKeyValueId && settings.Open())
        settings.SetDword(kind.expandKeyValueId, expandKey);
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
    SettingsKey list;
    if (!list.Create(kind.section) || WriteDefaults(list))
        return;
    list.Close();
    SettingsKey settings;
    if (settings.Open())
        settings.DeleteSubKey(kind.section);
}

bool UrlListStore::WriteEntries(const RegKey &section, const UrlList &entries)
{
    for (size_t i = 0; i < entries.Size(); ++i)
        if (!WriteEntry(section, i, entries[i]))
            return false;
    return true;
}

// The string table's texts are stored as they stand, straight from the
// resources. The table ends at the first name that is missing from it; a
// name or URL that is there but cannot be loaded fails the list.
bool UrlListStore::WriteDefaults(const RegKey &section) const
{
    for (UINT id = kind.firstDefaultId, index = 0;; id += 2, ++index) {
        SetLastError(ERROR_SUCCESS);
        LPCWSTR nameData = PlatformLoadStringPointer(hostContext.instance, id);
        if (!nameData)
            return PlatformStringMissing(GetLastError());
        LPCWSTR url = PlatformLoadStringPointer(hostContext.instance, id + 1);
        if (!url || !WriteText(section, kNameFormat, index, nameData) ||
            !WriteText(section, kUrlFormat, index, url))
            return false;
    }
}

bool UrlListStore::Defaults(UrlList *entries) const
{
    entries->Clear();
    for (UINT id = kind.firstDefaultId;; id += 2) {
        LPCWSTR nameData = PlatformLoadStringPointer(hostContext.instance, id);
        if (!nameData)
            return true;
        LPCWSTR url = PlatformLoadStringPointer(hostContext.instance, id + 1);
        UrlEntry *entry = entries->AppendNew();
        if (!entry)
            return false;
        if (!Split(nameData, url ? url : L"", entry)) {
            entries->Erase(entries->Size() - 1);
            return false;
        }
    }
}

// The entries are those read, and the section still has as many values and
// no subkey: a section deleted, filled or emptied since is written afresh.
bool UrlListStore::HoldsExactly(const UrlList &entries) const
{
    if (!storedExactly || entries.Size() != stored.Size())
        return false;
    const WideText none;
    wchar_t text[kUrlTextCapacity];
    for (size_t i = 0; i < entries.Size(); ++i)
        if (!stored[i].nameData.Equals(text, StoredForm(entries[i].flags, entries[i].name, text)) ||
            !stored[i].url.Equals(text, StoredForm(entries[i].url, none, text)))
            return false;
    SettingsKey section;
    if (!section.Open(kind.section))
        return false;
    DWORD valueCount = static_cast<DWORD>(2 * stored.Size());
    return (valueCount == 0 || section.HasValueAt(valueCount - 1)) &&
           !section.HasValueAt(valueCount) && !section.HasSubKeys();
}

// Name data shorter than the flags gets blanks for the missing flags and an
// empty name, so every entry has all its flag positions.
bool UrlListStore::Split(const wchar_t *nameData, const wchar_t *url, UrlEntry *entry) const
{
    size_t length = wcslen(nameData);
    size_t flagLength = length < kind.flagWidth ? length : kind.flagWidth;
    if (!entry->flags.Assign(nameData, flagLength))
        return false;
    while (entry->flags.Length() < kind.flagWidth)
        if (!entry->flags.Append(L" ", 1))
            return false;
    return entry->name.Assign(nameData + flagLength) && entry->url.Assign(url);
}
