// The shell's button keys as the Buttons page reads them.
#include "ShellButton.h"
#include "ShellKeysTest.h"

namespace {

class ShellButtons : public ShellKeysTest {
protected:
    struct Read {
        std::wstring functionText, iconFile;
        int iconIndex = 0;
    };
    // The one button that `button` describes, as read.
    Read ReadBack(const TestButton &button)
    {
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
        AddButton(button);
        GrowableArray<ShellButton> buttons;
        bool complete = false;
        EXPECT_TRUE(EnumerateShellButtons(&buttons, &complete));
        EXPECT_TRUE(complete);
        EXPECT_EQ(1u, buttons.Size());
        if (buttons.Empty())
            return {};
        return {buttons[0].functionText.Text(), buttons[0].iconFile.Text(), buttons[0].iconIndex};
    }
};

TEST_F(ShellButtons, FunctionTextFollowsFlags)
{
    struct Case {
        std::optional<DWORD> flags;
        std::optional<std::wstring> application;
        const wchar_t *text;
    } cases[] = {
        {0u, L"\\Windows\\calendar.exe", L"calendar"},
        {std::nullopt, L"\\Program Files\\My.App\\tool", L"tool"},
        {0u, L"notes", L"notes"},
        {0u, L"archive.tar.gz", L"archive.tar"},
        {0u, std::nullopt, L""},
        {0u, L"", L""},
        {1u, L"\\Windows\\ignored.exe", L"<Start Menu>"},
        {2u, std::nullopt, L"<Input Panel>"},
        {3u, std::nullopt, L""},
        {4u, std::nullopt, L"<Today>"},
        {5u, std::nullopt, L"<Scroll Up>"},
        {6u, std::nullopt, L"<Scroll Down>"},
        {7u, std::nullopt, L"<Scroll Left>"},
        {8u, std::nullopt, L"<Scroll Right>"},
        {9u, std::nullopt, L"<None>"},
        {10u, std::nullopt, L"<OK/Close>"},
        {11u, std::nullopt, L"<Context Menu>"},
        {12u, std::nullopt, L"<Rotate Screen>"},
        {13u, std::nullopt, L"<Left Softkey>"},
        {14u, std::nullopt, L"<Right Softkey>"},
        {15u, std::nullopt, L""},
        {0xFFFFFFFFu, std::nullopt, L""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.text, ReadBack({L"40C1", L"B", c.flags, c.application}).functionText)
            << "flags " << c.flags.value_or(0) << ", application "
            << testing::PrintToString(c.application.value_or(L"(none)"));
}

TEST_F(ShellButtons, IconIndexFollowsTheLastComma)
{
    struct Case {
        std::optional<std::wstring> icon;
        const wchar_t *file;
        int index;
    } cases[] = {
        {std::nullopt, L"", 0},
        {L"\\Windows\\a.dll", L"\\Windows\\a.dll", 0},
        {L"\\Windows\\a,b.dll,-12", L"\\Windows\\a,b.dll", -12},
        {L"a.dll,  +7x", L"a.dll", 7},
        {L"a.dll,x7", L"a.dll", 0},
    };
    for (const Case &c : cases) {
        Read button = ReadBack({L"40C1", L"B", std::nullopt, std::nullopt, c.icon});
        EXPECT_EQ(c.file, button.iconFile) << testing::PrintToString(c.icon.value_or(L""));
        EXPECT_EQ(c.index, button.iconIndex) << testing::PrintToString(c.icon.value_or(L""));
    }
}

} // namespace
