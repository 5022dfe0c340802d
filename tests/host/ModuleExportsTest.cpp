// The built DLL as the add-on sees it: exports, imports and resources.
#include "EntryPoints.h"

#include "SheetDriver.h"
#include "TestRegistry.h"
#include "resource.h"

#include <set>
#include <string>

namespace {

using ShowOptionsProc = decltype(&ShowOptions);
using InstallProc = decltype(&InstallDefaultAliases);

// The page that the sheet is opened on: it writes only the add-on's key.
const int kTabDisplayIndex = 7;

class ModuleTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        module = LoadLibraryW(L"VelotabOptions.dll");
        ASSERT_NE(nullptr, module) << "error " << GetLastError();
    }
    void TearDown() override
    {
        FreeLibrary(module);
        SettingsTest::TearDown();
    }
    template <class T> const T *At(DWORD rva) const
    {
        return reinterpret_cast<const T *>(reinterpret_cast<const BYTE *>(module) + rva);
    }
    const IMAGE_DATA_DIRECTORY &Directory(int index) const
    {
        auto dos = At<IMAGE_DOS_HEADER>(0);
        return At<IMAGE_NT_HEADERS>(dos->e_lfanew)->OptionalHeader.DataDirectory[index];
    }

    HMODULE module = nullptr;
};

TEST_F(ModuleTest, ExportsThreeOrdinalsAndNoNames)
{
    for (WORD ordinal = 1; ordinal <= 3; ++ordinal)
        EXPECT_NE(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(ordinal))) << ordinal;
    EXPECT_EQ(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(4)));
    auto exports =
        At<IMAGE_EXPORT_DIRECTORY>(Directory(IMAGE_DIRECTORY_ENTRY_EXPORT).VirtualAddress);
    EXPECT_EQ(1u, exports->Base);
    EXPECT_EQ(3u, exports->NumberOfFunctions);
    EXPECT_EQ(0u, exports->NumberOfNames);

    // The add-on installs the aliases by 2 and the services by 3.
    const wchar_t *const sections[] = {L"Alias", L"Service"};
    for (WORD ordinal = 2; ordinal <= 3; ++ordinal) {
        auto install =
            reinterpret_cast<InstallProc>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
        ASSERT_NE(nullptr, install);
        install(vendor.c_str(), product.c_str(), L"1.0");
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(i <= ordinal - 2, testreg::KeyExists(HKEY_CURRENT_USER, Path(sections[i])))
                << "after ordinal " << ordinal << ", section " << i;
    }
}

TEST_F(ModuleTest, ImportsOnlySystemLibrariesAndTheShellsUndecoratedCalls)
{
    // The desktop keeps icon extraction and the shell's execute function in
    // shell32, and sound in winmm; the device has them in its core library.
    const std::set<std::string> allowed = {"advapi32.dll", "comctl32.dll", "gdi32.dll",
                                           "kernel32.dll", "msvcrt.dll",   "shell32.dll",
                                           "user32.dll",   "winmm.dll",    "aygshell.dll"};
    auto import =
        At<IMAGE_IMPORT_DESCRIPTOR>(Directory(IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress);
    std::set<std::string> shellCalls;
    bool shell = false;
    for (; import->Name; ++import) {
        std::string name = At<char>(import->Name);
        for (auto &c : name)
            c = static_cast<char>(tolower(c));
        EXPECT_TRUE(allowed.count(name)) << "imports " << name;
        if (name != "aygshell.dll")
            continue;
        shell = true;
        for (auto thunk = At<IMAGE_THUNK_DATA>(import->OriginalFirstThunk); thunk->u1.AddressOfData;
             ++thunk)
            shellCalls.insert(At<IMAGE_IMPORT_BY_NAME>(thunk->u1.AddressOfData)->Name);
    }
    EXPECT_TRUE(shell);
    // The device's shell library exports these names, without decoration.
    EXPECT_EQ((std::set<std::string>{"SHCreateMenuBar", "SHInitDialog", "SHInitExtraControls",
                                     "SHSipInfo"}),
              shellCalls);
}

TEST_F(ModuleTest, CarriesItsResources)
{
    HRSRC marker = FindResourceW(module, L"HI_RES_AWARE", L"CEUX");
    ASSERT_NE(nullptr, marker);
    ASSERT_EQ(2u, SizeofResource(module, marker));
    EXPECT_EQ(1, *static_cast<const WORD *>(LockResource(LoadResource(module, marker))));

    EXPECT_NE(nullptr, LoadIconW(module, MAKEINTRESOURCEW(IDI_VELOTAB)));

    HBITMAP line = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(IDB_SEPARATOR),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, line);
    DIBSECTION dib = {};
    ASSERT_TRUE(GetObjectW(line, sizeof dib, &dib));
    EXPECT_EQ(232, dib.dsBm.bmWidth);
    EXPECT_EQ(1, dib.dsBm.bmHeight);
    const BYTE *bits = static_cast<const BYTE *>(dib.dsBm.bmBits);
    int wrong = 0;
    for (int x = 0; x < 232; ++x)
        wrong += !(bits[3 * x] == 198 && bits[3 * x + 1] == 195 && bits[3 * x + 2] == 198);
    EXPECT_EQ(0, wrong);
    DeleteObject(line);

    // Entries are used in place, so each must end in its own NUL.
    LPCWSTR caption = nullptr;
    int length = LoadStringW(module, IDS_SHEET_CAPTION, reinterpret_cast<LPWSTR>(&caption), 0);
    ASSERT_EQ(15, length);
    EXPECT_STREQ(L"Velotab Option", caption);
}

TEST_F(ModuleTest, ShowOptionsByOrdinalRejectsAndRuns)
{
    auto show = reinterpret_cast<ShowOptionsProc>(GetProcAddress(module, MAKEINTRESOURCEA(1)));
    ASSERT_NE(nullptr, show);
    // The add-on compares with the literal 2.
    EXPECT_EQ(2u, show(nullptr, 0, 5, 0, 0, 0, 0, 1, vendor.c_str(), product.c_str(), L"1.0", 0));

    HWND owner = CreateWindowW(L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    DWORD code = 0;
    sheet::RunSheet(
        [&] {
            code = show(owner, 0, 5, 0, 0, 0, 0, 1, vendor.c_str(), product.c_str(), L"1.0",
                        kTabDisplayIndex);
        },
        [](HWND window) { sheet::Accept(window); });
    DestroyWindow(owner);
    EXPECT_EQ(MAKELONG(1, kTabDisplayIndex), code);
    EXPECT_EQ(22u, Dword(L"TabHeight"));
}

} // namespace
