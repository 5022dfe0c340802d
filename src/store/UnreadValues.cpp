#include "UnreadValues.h"

void UnreadValues::Remember(LPCWSTR value, DWORD shown)
{
    Entry entry = {value, false, shown, std::wstring()};
    Put(entry);
}

void UnreadValues::Remember(LPCWSTR value, const std::wstring &shown)
{
    Entry entry = {value, true, 0, shown};
    Put(entry);
}

void UnreadValues::Forget(LPCWSTR value)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].value == value) {
            entries.erase(entries.begin() + i);
            return;
        }
}

bool UnreadValues::Keeps(LPCWSTR value, DWORD toWrite) const
{
    const Entry *entry = Find(value);
    return entry && !entry->isText && entry->number == toWrite;
}

bool UnreadValues::Keeps(LPCWSTR value, const std::wstring &toWrite) const
{
    const Entry *entry = Find(value);
    return entry && entry->isText && entry->text == toWrite;
}

const UnreadValues::Entry *UnreadValues::Find(LPCWSTR value) const
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].value == value)
            return &entries[i];
    return NULL;
}

void UnreadValues::Put(const Entry &entry)
{
    Forget(entry.value);
    entries.push_back(entry);
}
