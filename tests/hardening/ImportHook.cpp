#include "ImportHook.h"

#include <cstring>
#include <string>

void *HookImport(const char *dll, const char *function, void *replacement, HMODULE importer)
{
    auto *base = reinterpret_cast<BYTE *>(importer ? importer : GetModuleHandleW(nullptr));
    auto *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
    auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress)
        return nullptr;
    auto *import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress);
    for (; import->Name; ++import) {
        if (_stricmp(reinterpret_cast<const char *>(base + import->Name), dll) != 0)
            continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + import->OriginalFirstThunk);
        auto *addresses = reinterpret_cast<IMAGE_THUNK_DATA *>(base + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) != 0)
                continue;
            void *original = reinterpret_cast<void *>(addresses->u1.Function);
            DWORD protection = 0;
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, PAGE_READWRITE,
                           &protection);
            addresses->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, protection,
                           &protection);
            return original;
        }
    }
    return nullptr;
}

namespace fault {

namespace {

std::string armedFunction;
std::wstring armedMatch;
bool anyArgument = true;
int armedCall = 0;
int calls = 0;
bool paused = false;

bool EndsWith(const std::wstring &text, const std::wstring &end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

bool Install(const Hook *hooks, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        *hooks[i].original = HookImport(hooks[i].dll, hooks[i].function, hooks[i].replacement);
        if (!*hooks[i].original)
            return false;
    }
    return true;
}

void Arm(const char *function, const wchar_t *match, int call)
{
    armedFunction = function;
    anyArgument = !match;
    armedMatch = match ? match : L"";
    armedCall = call;
    calls = 0;
}

void Pause(bool pause)
{
    paused = pause;
}

bool Fails(const char *function, const wchar_t *argument)
{
    if (paused || armedFunction != function ||
        !(anyArgument || (argument && EndsWith(argument, armedMatch))))
        return false;
    return ++calls == armedCall;
}

int Calls()
{
    return calls;
}

} // namespace fault
