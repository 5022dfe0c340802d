// The values of one registry key, saved so that they can be put back: the
// bench accepts the options sheet many times, and the sheet writes into the
// browser's keys as well as into its own.
#ifndef VELOTAB_REGISTRY_SNAPSHOT_H
#define VELOTAB_REGISTRY_SNAPSHOT_H

#include <windows.h>

#include <string>
#include <vector>

class RegistrySnapshot {
public:
    // Reads every value of root\path now; a missing key is remembered as
    // missing.
    RegistrySnapshot(HKEY root, const std::wstring &path);

    // Makes the key hold exactly the saved values again, or removes it when
    // it did not exist. Subkeys are left alone.
    void Restore() const;

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };

    HKEY root;
    std::wstring path;
    bool existed = false;
    std::vector<Value> values;
};

#endif
