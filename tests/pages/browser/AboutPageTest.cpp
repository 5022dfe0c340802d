#include "AboutPage.h"

#include "PageTest.h"

namespace {

const wchar_t kSite[] = L"http://www.velotab.example/";

using AboutPageTest = PageTest<AboutPage>;

TEST_F(AboutPageTest, ShowsIconNameVersionAndLinkInTheirFontsAndStoresNothing)
{
    hostContext.versionText = L"2.5 beta";
    Open([](HWND page) {
        EXPECT_EQ(L"Velo", page::Text(page, IDC_ABOUT_NAME_FIRST));
        EXPECT_EQ(L"tab", page::Text(page, IDC_ABOUT_NAME_SECOND));
        EXPECT_EQ(L"V2.5 beta", page::Text(page, IDC_ABOUT_VERSION));
        EXPECT_EQ(kSite, page::Text(page, IDC_ABOUT_LINK));
        HWND icon = GetWindow(page, GW_CHILD);
        EXPECT_EQ(SS_ICON, GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK);
        EXPECT_NE(0, SendMessageW(icon, STM_GETICON, 0, 0));

        LOGFONTW link = page::FontOf(page, IDC_ABOUT_LINK);
        EXPECT_TRUE(link.lfUnderline);
        EXPECT_EQ(-11, link.lfHeight);
        for (int id : {IDC_ABOUT_NAME_FIRST, IDC_ABOUT_NAME_SECOND, IDC_ABOUT_VERSION})
            EXPECT_EQ(FW_BOLD, page::FontOf(page, id).lfWeight) << id;
    });
    EXPECT_FALSE(KeyMade());
}

TEST_F(AboutPageTest, LinkIsBlueAndTheSecondPieceOfTheNameRedOnTheUsualBackground)
{
    const COLORREF untouched = RGB(1, 2, 3);
    struct Case {
        int id;
        COLORREF colour;
    } cases[] = {
        {IDC_ABOUT_LINK, RGB(0, 0, 255)},
        {IDC_ABOUT_NAME_SECOND, RGB(255, 71, 71)},
        {IDC_ABOUT_NAME_FIRST, untouched},
        {IDC_ABOUT_VERSION, untouched},
    };
    Open([&](HWND page) {
        HDC dc = CreateCompatibleDC(nullptr);
        // Every static of the page, coloured or not, gets the background
        // that the page gives its other statics.
        HWND plain = GetWindow(page, GW_CHILD);
        const LRESULT background = SendMessageW(
            page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(plain));
        EXPECT_NE(0, background);
        for (const Case &c : cases) {
            SetTextColor(dc, untouched);
            EXPECT_EQ(background,
                      SendMessageW(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(GetDlgItem(page, c.id))))
                << c.id;
            EXPECT_EQ(c.colour, GetTextColor(dc)) << c.id;
        }
        DeleteDC(dc);
    });
}

// Tapping the link runs the shell for real. The shell opens an http address
// with the command registered for the scheme in the classes root (Wine does
// not take a user's own classes there); the test registers a recorder
// program of its own, which writes the address it gets into a file.
class AboutLinkTest : public AboutPageTest {
protected:
    void SetUp() override
    {
        AboutPageTest::SetUp();
        wchar_t path[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, path);
        records = std::wstring(path) + product;
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        recorder = path;
        recorder.replace(recorder.find_last_of(L'\\') + 1, std::wstring::npos, L"url_recorder.exe");
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(recorder.c_str()));
        SaveKey(HKEY_CLASSES_ROOT, kHandlerKey, {L""});
    }
    void TearDown() override
    {
        for (int tap = 1; tap <= taps; ++tap)
            DeleteFileW(Record(tap).c_str());
        AboutPageTest::TearDown();
    }
    std::wstring Record(int tap) const { return records + L"-" + std::to_wstring(tap) + L".url"; }
    // Taps the link as the user does and waits for what the shell opened.
    // Each tap has a record file of its own.
    std::wstring Tap(HWND page)
    {
        std::wstring record = Record(++taps);
        DeleteFileW(record.c_str());
        testreg::WriteString(HKEY_CLASSES_ROOT, kHandlerKey, L"",
                             L"\"" + recorder + L"\" \"" + record + L"\" \"%1\"");
        HWND link = GetDlgItem(page, IDC_ABOUT_LINK);
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        std::wstring address = L"<nothing opened>";
        sheet::PumpUntil([&] { return ReadRecord(record, &address); }, 30000);
        return address;
    }
    // The recorder renames its finished record into place; the rename may
    // still hold the file for a moment, so it is shared in every way.
    static bool ReadRecord(const std::wstring &record, std::wstring *address)
    {
        HANDLE file = CreateFileW(record.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        wchar_t text[256] = {};
        DWORD read = 0;
        BOOL done = ReadFile(file, text, sizeof text - sizeof(wchar_t), &read, nullptr);
        CloseHandle(file);
        if (done)
            address->assign(text, read / sizeof(wchar_t));
        return done;
    }

    static constexpr const wchar_t *kHandlerKey = L"http\\shell\\open\\command";
    std::wstring records;
    std::wstring recorder;
    int taps = 0;
};

TEST_F(AboutLinkTest, TapOpensTheLinksTextCutTo63Characters)
{
    const std::wstring longAddress = std::wstring(kSite) + std::wstring(60, L'x');
    Open([&](HWND page) {
        EXPECT_EQ(kSite, Tap(page));
        SetDlgItemTextW(page, IDC_ABOUT_LINK, longAddress.c_str());
        EXPECT_EQ(longAddress.substr(0, 63), Tap(page));
    });
}

} // namespace
