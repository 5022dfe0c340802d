#include "TabEventPage.h"

#include "PageTest.h"

#include <mmsystem.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Items = std::vector<std::wstring>;

const wchar_t kBuiltIn[] = L"VelotabEvent";

std::string Narrow(const std::wstring &text)
{
    return std::string(text.begin(), text.end());
}

// The header of a PCM mono sound file.
std::string WaveHeader(DWORD rate, WORD bits, DWORD sampleBytes)
{
    std::string header = "RIFF";
    auto put = [&](DWORD value, size_t size) {
        header.append(reinterpret_cast<const char *>(&value), size);
    };
    put(36 + sampleBytes, 4);
    header += "WAVEfmt ";
    put(16, 4);
    put(WAVE_FORMAT_PCM, 2);
    put(1, 2);
    put(rate, 4);
    put(rate * bits / 8, 4);
    put(bits / 8, 2);
    put(bits, 2);
    header += "data";
    put(sampleBytes, 4);
    return header;
}

// A short, valid sound file of silence.
std::string SilentWave()
{
    const DWORD samples = 800;
    return WaveHeader(8000, 8, samples) + std::string(samples, '\x80');
}

ULONGLONG AccessTime(const std::wstring &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return ULARGE_INTEGER{
        {data.ftLastAccessTime.dwLowDateTime, data.ftLastAccessTime.dwHighDateTime}}
        .QuadPart;
}

// Moves the file's last access far into the past, so that the next read of
// its content moves it again (also where access times are kept lazily).
ULONGLONG AgeAccessTime(const std::wstring &path)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME past = {2001, 1, 1, 1};
    FILETIME time = {};
    SystemTimeToFileTime(&past, &time);
    SetFileTime(file, nullptr, &time, nullptr);
    CloseHandle(file);
    return AccessTime(path);
}

// A synchronous stop returns once the platform has let go of its sound.
void StopSound()
{
    PlaySoundW(nullptr, nullptr, 0);
}

// Sees which memory the platform's sound player opens, through an I/O
// procedure for memory files that hands every message on to the platform's
// own: a sound resource is played from the module's memory.
class MemorySoundWatch {
public:
    MemorySoundWatch()
    {
        original = mmioInstallIOProcW(FOURCC_MEM, nullptr, MMIO_FINDPROC);
        installed =
            original && mmioInstallIOProcW(FOURCC_MEM, Watch, MMIO_INSTALLPROC | MMIO_GLOBALPROC);
    }
    ~MemorySoundWatch()
    {
        StopSound();
        if (installed)
            mmioInstallIOProcW(FOURCC_MEM, Watch, MMIO_REMOVEPROC);
    }
    // Whether this platform's player is seen at all.
    bool Works()
    {
        static const std::string wave = SilentWave();
        PlaySoundW(reinterpret_cast<LPCWSTR>(wave.data()), nullptr,
                   SND_MEMORY | SND_SYNC | SND_NODEFAULT);
        bool seen = opened == wave.data();
        opened = nullptr;
        return installed && seen;
    }

    static inline std::atomic<const void *> opened{nullptr};

private:
    static LRESULT CALLBACK Watch(LPSTR info, UINT message, LPARAM first, LPARAM second)
    {
        if (message == MMIOM_OPEN)
            opened = reinterpret_cast<MMIOINFO *>(info)->pchBuffer;
        return original(info, message, first, second);
    }

    static inline LPMMIOPROC original = nullptr;
    bool installed = false;
};

const void *BuiltInSoundData()
{
    HRSRC found =
        FindResourceW(hostContext.instance, MAKEINTRESOURCEW(IDR_BUILT_IN_SOUND), L"WAVE");
    return found ? LockResource(LoadResource(hostContext.instance, found)) : nullptr;
}

// Makes a loaded module the source of the page's resources for a while.
class ModuleInstance {
public:
    explicit ModuleInstance(HMODULE module) : program(std::exchange(hostContext.instance, module))
    {
    }
    ~ModuleInstance() { FreeLibrary(std::exchange(hostContext.instance, program)); }

private:
    HINSTANCE program;
};

// What the page shows, in template order.
Items Look(HWND page)
{
    auto box = [&](int id) { return sheet::IsChecked(page, id) ? L"checked" : L"unchecked"; };
    return {sheet::SelectedText(page, IDC_TAB_NEW_TYPE), box(IDC_EVENT_SOUND),
            sheet::SelectedText(page, IDC_EVENT_SOUND_FILE), box(IDC_EVENT_FOREGROUND),
            box(IDC_TAB_DOUBLE_TAP)};
}

// The index of the entry with exactly this text, case included.
int EntryIndex(HWND page, const std::wstring &text)
{
    Items items = sheet::Items(page, IDC_EVENT_SOUND_FILE);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == text)
            return static_cast<int>(i);
    ADD_FAILURE() << "no entry " << Narrow(text);
    return -1;
}

// The page in a sheet of its own. The sound list shows the Windows folder:
// the tests start from a folder without sound files, put their own there
// and remove them afterwards.
class TabEventPageTest : public PageTest<TabEventPage> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        folder = std::wstring(windows) + L"\\";
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"*.wav").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
            GTEST_SKIP() << "the Windows folder holds sound files of its own";
        }
    }
    void TearDown() override
    {
        for (const std::wstring &path : made)
            DeleteFileW(path.c_str()) || RemoveDirectoryW(path.c_str());
        PageTest::TearDown();
    }
    std::wstring PutSound(const std::wstring &name)
    {
        std::wstring path = folder + name;
        static const std::string wave = SilentWave();
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        EXPECT_TRUE(
            WriteFile(file, wave.data(), static_cast<DWORD>(wave.size()), &written, nullptr))
            << Narrow(name);
        CloseHandle(file);
        made.push_back(path);
        return path;
    }
    void PutFolder(const std::wstring &name)
    {
        made.push_back(folder + name);
        EXPECT_TRUE(CreateDirectoryW(made.back().c_str(), nullptr));
    }
    void PutSoundSetting(const std::wstring &name) const { PutString(L"EventSoundFile", name); }
    Items OpenAndLook()
    {
        Items shown;
        Open([&](HWND page) { shown = Look(page); });
        return shown;
    }
    // The five settings in the order the page writes them; "-" is missing.
    Items Stored() const
    {
        Items values;
        for (const wchar_t *name : {L"TabNewType", L"EventSound", L"EventSoundFile",
                                    L"EventForeground", L"TabDoubleTap"}) {
            auto text = String(name);
            auto number = Dword(name);
            values.push_back(text ? *text : number ? std::to_wstring(*number) : L"-");
        }
        return values;
    }

    std::wstring folder;
    std::vector<std::wstring> made;
};

TEST_F(TabEventPageTest, MissingKeyShowsTheDefaultsAndOnlyAcceptingCreatesTheKey)
{
    Items shown;
    Open(
        [&](HWND page) {
            shown = Look(page);
            EXPECT_FALSE(KeyMade()) << "made at start";
        },
        false);
    EXPECT_EQ((Items{L"Open Blank Page", L"unchecked", kBuiltIn, L"checked", L"checked"}), shown);
    EXPECT_FALSE(KeyMade()) << "made by cancelling";

    Open([](HWND) {});
    EXPECT_EQ((Items{L"0", L"0", kBuiltIn, L"1", L"1"}), Stored());
}

TEST_F(TabEventPageTest, ListsAndButtonsHaveTheirItemsAndStyles)
{
    Open([](HWND page) {
        EXPECT_EQ((Items{L"Open Blank Page", L"Open Home Page", L"Open Current Page"}),
                  sheet::Items(page, IDC_TAB_NEW_TYPE));
        auto style = [&](int id) { return GetWindowLongW(GetDlgItem(page, id), GWL_STYLE); };
        EXPECT_EQ(CBS_DROPDOWNLIST, style(IDC_TAB_NEW_TYPE) & (0x3 | CBS_SORT));
        EXPECT_EQ(CBS_DROPDOWNLIST | CBS_SORT, style(IDC_EVENT_SOUND_FILE) & (0x3 | CBS_SORT));
        for (int id : {IDC_EVENT_PLAY, IDC_EVENT_STOP})
            EXPECT_EQ(BS_OWNERDRAW, style(id) & BS_TYPEMASK) << id;
        for (int id : {IDC_EVENT_SOUND, IDC_EVENT_FOREGROUND, IDC_TAB_DOUBLE_TAP})
            EXPECT_EQ(BS_AUTOCHECKBOX, style(id) & BS_TYPEMASK) << id;
    });
}

TEST_F(TabEventPageTest, StoredSettingsAreShownAndTheUsersChoicesWritten)
{
    PutSound(L"alarm1.wav");
    PutDword(L"TabNewType", 2);
    PutDword(L"EventSound", 1);
    PutSoundSetting(L"Alarm1");
    PutDword(L"EventForeground", 0);
    PutDword(L"TabDoubleTap", 0);
    Items shown;
    Open([&](HWND page) {
        shown = Look(page);
        sheet::ChooseItem(page, IDC_TAB_NEW_TYPE, 1);
        sheet::Click(page, IDC_EVENT_SOUND);
        sheet::ChooseItem(page, IDC_EVENT_SOUND_FILE, EntryIndex(page, kBuiltIn));
        sheet::Click(page, IDC_EVENT_FOREGROUND);
    });
    EXPECT_EQ((Items{L"Open Current Page", L"checked", L"Alarm1", L"unchecked", L"unchecked"}),
              shown);
    EXPECT_EQ((Items{L"1", L"0", kBuiltIn, L"1", L"0"}), Stored());
}

TEST_F(TabEventPageTest, StoredValuesWithoutAnEntryOrOfAnotherTypeFallBack)
{
    PutDword(L"TabNewType", 3);
    PutDword(L"EventSoundFile", 0x006C0041); // "Al" as text, but a number
    testreg::WriteString(HKEY_CURRENT_USER, Path(), L"EventForeground", L"0");
    EXPECT_EQ((Items{L"<none>", L"unchecked", kBuiltIn, L"checked", L"checked"}), OpenAndLook());
    EXPECT_EQ((Items{L"4294967295", L"0", kBuiltIn, L"1", L"1"}), Stored());
}

TEST_F(TabEventPageTest, FolderWithoutSoundFilesListsOnlyTheBuiltInSound)
{
    PutFolder(L"sounds.wav");
    PutSound(L"chime.wave");
    Items items;
    Open([&](HWND page) { items = sheet::Items(page, IDC_EVENT_SOUND_FILE); });
    EXPECT_EQ((Items{kBuiltIn}), items);
    EXPECT_EQ(kBuiltIn, Stored()[2]);
}

TEST_F(TabEventPageTest, SoundFilesAreListedSortedWithoutTheirExtension)
{
    // The folder search also matches names whose extension only begins with
    // ".wav"; only names that end in it are sound files, and ".wav" names none.
    for (const wchar_t *name : {L"x.wav", L"Tone.WAV", L"ding.wav.wav", L"chime.wave", L"beep.wavx",
                                L".wav", L"wav", L"bell.wa"})
        PutSound(name);
    PutFolder(L"sounds.wav");
    Items items;
    Open([&](HWND page) { items = sheet::Items(page, IDC_EVENT_SOUND_FILE); });
    EXPECT_EQ((Items{L"Ding.wav", L"Tone", kBuiltIn, L"X"}), items);
}

TEST_F(TabEventPageTest, StoredSoundSelectsItsEntryIgnoringCaseElseTheBuiltInSound)
{
    PutSound(L"alarm1.wav");
    PutSound(L"zulu.wav");
    struct Case {
        const wchar_t *stored, *shown;
    } cases[] = {
        {L"alarm1", L"Alarm1"},      {L"ZULU", L"Zulu"},        {L"Gone", kBuiltIn},
        {L"Alarm", kBuiltIn},        {L"alarm1.wav", kBuiltIn}, {L"", kBuiltIn},
        {L"velotabEVENT", kBuiltIn},
    };
    for (const Case &c : cases) {
        PutSoundSetting(c.stored);
        EXPECT_EQ(c.shown, OpenAndLook()[2]) << Narrow(c.stored);
        // The entry's own text is written back, not what was stored.
        EXPECT_EQ(c.shown, Stored()[2]) << Narrow(c.stored);
    }
}

TEST_F(TabEventPageTest, PreviewPlaysTheSelectedEntryEvenWithPlaySoundOff)
{
    // A file read by the platform's player gets a new last access time; the
    // built-in sound is opened from the module's memory.
    std::map<std::wstring, std::wstring> files = {{L"X", PutSound(L"x.wav")},
                                                  {L"Zulu", PutSound(L"zulu.wav")},
                                                  {L"Velotabevent", PutSound(L"velotabevent.wav")}};
    ULONGLONG aged = AgeAccessTime(files[L"Zulu"]);
    HANDLE file = CreateFileW(files[L"Zulu"].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    char content[16];
    DWORD read = 0;
    ReadFile(file, content, sizeof content, &read, nullptr);
    CloseHandle(file);
    if (AccessTime(files[L"Zulu"]) == aged)
        GTEST_SKIP() << "this file system keeps no access times";
    MemorySoundWatch memory;
    if (!memory.Works())
        GTEST_SKIP() << "this platform's sound player opens memory unseen";
    // The page takes its resources from the module itself, not from this
    // program, so that a sound looked for in the wrong module is seen.
    HMODULE module = LoadLibraryW(L"VelotabOptions.dll");
    ASSERT_NE(nullptr, module);
    ModuleInstance swap(module);

    // The file that plays (none: the built-in sound). A file named like the
    // built-in sound is still a file.
    struct Case {
        const wchar_t *entry, *file;
    } cases[] = {
        {kBuiltIn, nullptr}, {L"X", L"X"}, {L"Velotabevent", L"Velotabevent"}, {L"Zulu", L"Zulu"}};
    Open(
        [&](HWND page) {
            ASSERT_FALSE(sheet::IsChecked(page, IDC_EVENT_SOUND));
            for (const Case &c : cases) {
                std::map<std::wstring, ULONGLONG> before;
                for (const auto &[entry, path] : files)
                    before[entry] = AgeAccessTime(path);
                sheet::ChooseItem(page, IDC_EVENT_SOUND_FILE, EntryIndex(page, c.entry));
                sheet::Click(page, IDC_EVENT_PLAY);
                EXPECT_TRUE(sheet::PumpUntil([&] {
                    return c.file ? AccessTime(files[c.file]) != before[c.file]
                                  : MemorySoundWatch::opened != nullptr;
                })) << Narrow(c.entry);
                StopSound();
                EXPECT_EQ(c.file ? nullptr : BuiltInSoundData(), MemorySoundWatch::opened)
                    << Narrow(c.entry);
                MemorySoundWatch::opened = nullptr;
                for (const auto &[entry, path] : files)
                    if (!c.file || entry != c.file)
                        EXPECT_EQ(before[entry], AccessTime(path))
                            << Narrow(c.entry) << " also played " << Narrow(entry);
            }
        },
        false);
}

TEST_F(TabEventPageTest, ButtonsShowTheirImageAndInvertItWhilePressed)
{
    auto triangle = [](int x, int y) {
        return y >= 2 && y <= 10 && x >= 5 && x <= 9 - std::abs(y - 6);
    };
    auto square = [](int x, int y) { return x >= 3 && x <= 9 && y >= 3 && y <= 9; };
    const COLORREF kUntouched = RGB(255, 0, 0);
    const int kSide = 20;
    const int kImageAt = 3;
    struct Case {
        int id;
        UINT state;
        std::function<bool(int, int)> black;
        bool inverted;
    } cases[] = {
        {IDC_EVENT_PLAY, 0, triangle, false},
        {IDC_EVENT_PLAY, ODS_SELECTED, triangle, true},
        {IDC_EVENT_STOP, ODS_FOCUS, square, false},
        {IDC_EVENT_STOP, ODS_SELECTED | ODS_FOCUS, square, true},
    };
    Open([&](HWND page) {
        // Has the page draw one item into a bitmap of its own; its pixels.
        auto draw = [&](int id, UINT state) {
            HDC dc = CreateCompatibleDC(nullptr);
            BITMAPINFO info = {{sizeof info.bmiHeader, kSide, -kSide, 1, 32, BI_RGB}};
            void *bits = nullptr;
            HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            HGDIOBJ previous = SelectObject(dc, target);
            RECT all = {0, 0, kSide, kSide};
            HBRUSH fill = CreateSolidBrush(kUntouched);
            FillRect(dc, &all, fill);
            DeleteObject(fill);
            DRAWITEMSTRUCT item = {ODT_BUTTON, static_cast<UINT>(id), 0,  ODA_DRAWENTIRE,
                                   state,      GetDlgItem(page, id),  dc, all,
                                   0};
            SendMessageW(page, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
            std::vector<COLORREF> pixels;
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x)
                    pixels.push_back(GetPixel(dc, x, y));
            SelectObject(dc, previous);
            DeleteObject(target);
            DeleteDC(dc);
            return pixels;
        };
        for (const Case &c : cases) {
            std::vector<COLORREF> pixels = draw(c.id, c.state);
            int wrong = 0;
            for (int y = 0; y < 13; ++y)
                for (int x = 0; x < 13; ++x)
                    wrong += pixels[(kImageAt + y) * kSide + kImageAt + x] !=
                             (c.black(x, y) != c.inverted ? RGB(0, 0, 0) : RGB(255, 255, 255));
            EXPECT_EQ(0, wrong) << c.id << " state " << c.state;
            EXPECT_NE(kUntouched, pixels[0]) << "frame of " << c.id;
        }
        // The frame is drawn pushed while the button is held down.
        EXPECT_NE(draw(IDC_EVENT_PLAY, 0)[0], draw(IDC_EVENT_PLAY, ODS_SELECTED)[0]);
        // Other owner-drawn items are not this page's to draw.
        for (COLORREF pixel : draw(IDC_EVENT_SOUND_FILE, 0))
            ASSERT_EQ(kUntouched, pixel);
    });
}

TEST(TabEventResources, ImagesAreMonochromeAndTheBuiltInSoundHasItsFormat)
{
    for (int id : {IDB_PLAY, IDB_STOP}) {
        HBITMAP bitmap = LoadBitmapW(hostContext.instance, MAKEINTRESOURCEW(id));
        BITMAP description = {};
        ASSERT_NE(0, GetObjectW(bitmap, sizeof description, &description)) << id;
        EXPECT_EQ(1, description.bmBitsPixel) << id;
        DeleteObject(bitmap);
    }
    // PCM, mono, 22050 samples a second, 16 bits, 22344 bytes of samples.
    const std::string header = WaveHeader(22050, 16, 22344);
    HRSRC found =
        FindResourceW(hostContext.instance, MAKEINTRESOURCEW(IDR_BUILT_IN_SOUND), L"WAVE");
    ASSERT_NE(nullptr, found);
    ASSERT_EQ(header.size() + 22344, SizeofResource(hostContext.instance, found));
    EXPECT_EQ(0, std::memcmp(header.data(), BuiltInSoundData(), header.size()));
}

} // namespace
