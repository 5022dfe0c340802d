#include "AboutPage.h"

#include "HostContext.h"
#include "PageTest.h"
#include "SavedKey.h"

namespace {

const wchar_t kSite[] = L"http://www.velotab.example/";

using AboutPageTest = PageTest<AboutPage>;

TEST_F(AboutPageTest, ShowsIconNameVersionAndLinkInTheirFontsAndStoresNothing)
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

        LOGFONTW link = FontOf(page, IDC_ABOUT_LINK);
        EXPECT_TRUE(link.lfUnderline);
        EXPECT_EQ(-11, link.lfHeight);
        for (int id : {IDC_ABOUT_NAME_FIRST, IDC_ABOUT_NAME_SECOND, IDC_ABOUT_VERSION})
            EXPECT_EQ(FW_BOLD, FontOf(page, id).lfWeight) << id;
    });
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path()));
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
    const auto background =
        reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_STATIC | SYS_COLOR_INDEX_FLAG));
    Open([&](HWND page) {
        HDC dc = CreateCompatibleDC(nullptr);
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
        record = std::wstring(path) + product + L".url";
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring recorder = path;
        recorder.replace(recorder.find_last_of(L'\\') + 1, std::wstring::npos, L"url_recorder.exe");
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(recorder.c_str()));
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
    // Taps the link as the user does and waits for what the shell opened.
    std::wstring Tap(HWND page)
    {
        DeleteFileW(record.c_str());
        HWND link = GetDlgItem(page, IDC_ABOUT_LINK);
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        if (!sheet::PumpUntil(
                [&] { return GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; },
                30000))
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
