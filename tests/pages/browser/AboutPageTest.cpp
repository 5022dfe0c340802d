#include "AboutPage.h"

#include "HostContext.h"
#include "OptionSheet.h"
#include "SavedKey.h"
#include "SheetDriver.h"
#include "TestRegistry.h"
#include "resource.h"

namespace {

const wchar_t kSite[] = L"http://www.velotab.example/";
const COLORREF kUntouched = RGB(1, 2, 3);

LOGFONTW FontOf(HWND page, int id)
{
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(page, id, WM_GETFONT, 0, 0)),
               sizeof font, &font);
    return font;
}

std::wstring Text(HWND page, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(page, id, text, 256);
    return text;
}

// The page in a sheet of its own.
class AboutPageTest : public SettingsTest {
protected:
    void Open(const std::function<void(HWND page)> &use, bool accept = true)
    {
        AboutPage page;
        OptionSheet sheet(IDS_SHEET_CAPTION, IDI_VELOTAB, nullptr, 0);
        sheet.AddPage(&page);
        sheet::RunSheet([&] { sheet.Run(); },
                        [&](HWND window) {
                            use(sheet::CurrentPage(window));
                            accept ? sheet::Accept(window) : sheet::Cancel(window);
                        });
    }
};

TEST_F(AboutPageTest, ShowsIconNameVersionAndLinkAndStoresNothing)
{
    hostContext.versionText = L"2.5 beta";
    Open([](HWND page) {
        EXPECT_EQ(L"Velo", Text(page, IDC_ABOUT_NAME_FIRST));
        EXPECT_EQ(L"tab", Text(page, IDC_ABOUT_NAME_SECOND));
        EXPECT_EQ(L"V2.5 beta", Text(page, IDC_ABOUT_VERSION));
        EXPECT_EQ(kSite, Text(page, IDC_ABOUT_LINK));
        HWND icon = GetWindow(page, GW_CHILD);
        EXPECT_EQ(SS_ICON, GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK);
        EXPECT_NE(0, SendMessageW(icon, STM_GETICON, 0, 0));
        // Without SS_NOTIFY a tap never reaches the page.
        EXPECT_NE(0, GetWindowLongW(GetDlgItem(page, IDC_ABOUT_LINK), GWL_STYLE) & SS_NOTIFY);
    });
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path()));
}

TEST_F(AboutPageTest, LinkIsUnderlinedAndTheNameAndVersionBold)
{
    Open([](HWND page) {
        LOGFONTW link = FontOf(page, IDC_ABOUT_LINK);
        EXPECT_TRUE(link.lfUnderline);
        EXPECT_EQ(-11, link.lfHeight);
        for (int id : {IDC_ABOUT_NAME_FIRST, IDC_ABOUT_NAME_SECOND, IDC_ABOUT_VERSION}) {
            LOGFONTW heading = FontOf(page, id);
            EXPECT_EQ(FW_BOLD, heading.lfWeight) << id;
            EXPECT_FALSE(heading.lfUnderline) << id;
        }
    });
}

TEST_F(AboutPageTest, LinkIsBlueAndTheSecondPieceOfTheNameRedOnTheUsualBackground)
{
    struct Case {
        int id;
        COLORREF colour;
    } cases[] = {
        {IDC_ABOUT_LINK, RGB(0, 0, 255)},
        {IDC_ABOUT_NAME_SECOND, RGB(255, 71, 71)},
        {IDC_ABOUT_NAME_FIRST, kUntouched},
        {IDC_ABOUT_VERSION, kUntouched},
    };
    Open([&](HWND page) {
        HDC dc = CreateCompatibleDC(nullptr);
        for (const Case &c : cases) {
            SetTextColor(dc, kUntouched);
            LRESULT brush = SendMessageW(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(GetDlgItem(page, c.id)));
            EXPECT_EQ(
                reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_STATIC | SYS_COLOR_INDEX_FLAG)),
                brush)
                << c.id;
            EXPECT_EQ(c.colour, GetTextColor(dc)) << c.id;
        }
        DeleteDC(dc);
    });
}

// Tapping the link runs the shell for real. The shell opens an http address
// with the command registered for the scheme; the test registers a recorder
// program of its own there, which writes the address it gets into a file.
class AboutLinkTest : public AboutPageTest {
protected:
    void SetUp() override
    {
        AboutPageTest::SetUp();
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        record = std::wstring(folder) + product + L".url";
        DeleteFileW(record.c_str());

        wchar_t program[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::wstring recorder = program;
        recorder.replace(recorder.find_last_of(L'\\') + 1, std::wstring::npos, L"url_recorder.exe");
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(recorder.c_str()));

        // The shell reads the classes root, which does not take a user's own
        // classes on every platform: the test changes the command there and
        // puts it back afterwards.
        handler.emplace(HKEY_CLASSES_ROOT, kHandlerKey, std::vector<std::wstring>{L""});
        testreg::WriteString(HKEY_CLASSES_ROOT, kHandlerKey, L"",
                             L"\"" + recorder + L"\" \"" + record + L"\" \"%1\"");
    }
    void TearDown() override
    {
        handler.reset();
        DeleteFileW(record.c_str());
        AboutPageTest::TearDown();
    }
    // Taps the link as the user does, and waits for the address that the
    // shell passed on.
    std::wstring Tap(HWND page)
    {
        DeleteFileW(record.c_str());
        HWND link = GetDlgItem(page, IDC_ABOUT_LINK);
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        bool recorded = sheet::PumpUntil(
            [&] { return GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
        if (!recorded)
            return L"<nothing opened>";
        HANDLE file = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        wchar_t address[256] = {};
        DWORD read = 0;
        ReadFile(file, address, sizeof address - sizeof(wchar_t), &read, nullptr);
        CloseHandle(file);
        return std::wstring(address, read / sizeof(wchar_t));
    }

    static constexpr const wchar_t *kHandlerKey = L"http\\shell\\open\\command";
    std::wstring record;
    std::optional<testreg::SavedKey> handler;
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
