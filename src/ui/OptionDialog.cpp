#include "OptionDialog.h"

#include "HostContext.h"
#include "ScreenScale.h"

namespace {

const LONG kHeadingFontHeight = -11;
const DWORD kFullScreenDialogFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;

const wchar_t kStaticClass[] = L"Static";
const int kClassNameLength = 8;

OptionDialog *BoundDialog(HWND window)
{
    return reinterpret_cast<OptionDialog *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The image of a static control that shows a bitmap, which in this module's
// templates only the separators under the headings do; NULL for any other
// control.
HBITMAP StaticBitmap(HWND control)
{
    wchar_t className[kClassNameLength];
    if (!GetClassNameW(control, className, kClassNameLength) ||
        lstrcmpiW(className, kStaticClass) != 0)
        return NULL;
    return reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// A copy of the bitmap with each side grown by the screen's density.
HBITMAP ScaledCopy(HBITMAP source)
{
    BITMAP size;
    if (!GetObjectW(source, sizeof size, &size))
        return NULL;
    int width = ScreenScale::Pixels(size.bmWidth);
    int height = ScreenScale::Pixels(size.bmHeight);
    HDC screen = GetDC(NULL);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ fromBefore = SelectObject(from, source);
    HGDIOBJ toBefore = SelectObject(to, scaled);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(to, toBefore);
    SelectObject(from, fromBefore);
    DeleteDC(to);
    DeleteDC(from);
    ReleaseDC(NULL, screen);
    return scaled;
}

} // namespace

OptionDialog::OptionDialog(UINT templateId, HWND ownerWindow)
    : window(NULL), ownerWindow(ownerWindow), menuBar(NULL), headingFont(NULL),
      templateId(templateId), fullScreenInit(TRUE), scaledSeparator(NULL)
{
}

OptionDialog::~OptionDialog()
{
    if (headingFont)
        DeleteObject(headingFont);
    if (scaledSeparator)
        DeleteObject(scaledSeparator);
}

int OptionDialog::DoModal()
{
    HINSTANCE instance = hostContext.instance;
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    const DLGTEMPLATE *dialogTemplate =
        static_cast<const DLGTEMPLATE *>(LockResource(LoadResource(instance, resource)));
    return static_cast<int>(DialogBoxIndirectParamW(
        instance, dialogTemplate, ownerWindow, DialogProcThunk, reinterpret_cast<LPARAM>(this)));
}

void OptionDialog::EndModal(int result)
{
    EndDialog(window, result);
}

INT_PTR OptionDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTINGCHANGE:
        return OnSettingChange(wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(wParam, reinterpret_cast<NMHDR *>(lParam), &result))
            return FALSE;
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_INITDIALOG:
        return OnInitDialog(wParam, lParam);
    case WM_COMMAND:
        return OnCommand(wParam, lParam) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(
            OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    default:
        return FALSE;
    }
}

BOOL OptionDialog::OnInitDialog(WPARAM, LPARAM)
{
    CreateHeadingFont();
    ScaleSeparators();
    if (fullScreenInit) {
        SHINITDLGINFO info;
        ZeroMemory(&info, sizeof info);
        info.dwMask = SHIDIM_FLAGS;
        info.hDlg = window;
        info.dwFlags = kFullScreenDialogFlags;
        SHInitDialog(&info);
        CreateMenuBar();
    }
    return TRUE;
}

BOOL OptionDialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL OptionDialog::OnNotify(WPARAM, NMHDR *, LRESULT *)
{
    return FALSE;
}

BOOL OptionDialog::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    AdjustLayout(wParam, lParam);
    return TRUE;
}

HBRUSH OptionDialog::OnCtlColorStatic(HDC dc, HWND control)
{
    return PlatformStaticBrush(window, dc, control);
}

void OptionDialog::OnOK()
{
    EndModal(IDOK);
}

void OptionDialog::OnCancel()
{
    EndModal(IDCANCEL);
}

void OptionDialog::AdjustLayout(WPARAM, LPARAM)
{
}

INT_PTR CALLBACK OptionDialog::DialogProcThunk(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    OptionDialog *created =
        message == WM_INITDIALOG ? reinterpret_cast<OptionDialog *>(lParam) : NULL;
    return Dispatch(window, message, wParam, lParam, created);
}

INT_PTR OptionDialog::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               OptionDialog *created)
{
    OptionDialog *dialog = created;
    if (dialog) {
        dialog->window = window;
        dialog->controls.Clear();
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
    } else {
        dialog = BoundDialog(window);
    }
    if (!dialog)
        return FALSE;
    return dialog->HandleMessage(message, wParam, lParam);
}

void OptionDialog::SetHeadingFont(const int *controlIds, int count) const
{
    for (int i = 0; i < count; ++i)
        SendControlMessage(controlIds[i], WM_SETFONT, reinterpret_cast<WPARAM>(headingFont), TRUE);
}

HWND OptionDialog::Control(int controlId) const
{
    for (size_t i = 0; i < controls.Size(); ++i)
        if (controls[i].id == controlId)
            return controls[i].control;
    HWND control = GetDlgItem(window, controlId);
    if (control) {
        KnownControl known = {controlId, control};
        controls.Append(known);
    }
    return control;
}

LRESULT OptionDialog::SendControlMessage(int controlId, UINT message, WPARAM wParam,
                                         LPARAM lParam) const
{
    return SendMessageW(Control(controlId), message, wParam, lParam);
}

// The heading font is the dialog's current font made bold at a fixed height,
// grown with the screen's density so that it stays above the body text's.
// A font left from an earlier window of this object is released first.
void OptionDialog::CreateHeadingFont()
{
    if (headingFont)
        DeleteObject(headingFont);
    LOGFONTW description = CurrentFontAt(kHeadingFontHeight);
    description.lfWeight = FW_BOLD;
    headingFont = CreateFontIndirectW(&description);
}

// The separator image is drawn for the QVGA screen. On a denser one every
// separator shows it grown by the screen's density instead, so that it spans
// the page as it does there; the static control takes the size of its new
// image. The template's image, given back, is the dialog's to release, and
// an image left from an earlier window of this object is released first.
void OptionDialog::ScaleSeparators()
{
    if (!ScreenScale::Scales())
        return;
    if (scaledSeparator)
        DeleteObject(scaledSeparator);
    scaledSeparator = NULL;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        HBITMAP shown = StaticBitmap(child);
        if (!shown)
            continue;
        if (!scaledSeparator)
            scaledSeparator = ScaledCopy(shown);
        if (!scaledSeparator)
            return;
        HBITMAP previous = reinterpret_cast<HBITMAP>(SendMessageW(
            child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaledSeparator)));
        if (previous && previous != scaledSeparator)
            DeleteObject(previous);
    }
}

LONG OptionDialog::VisibleDesktopBottom()
{
    SIPINFO panel;
    ZeroMemory(&panel, sizeof panel);
    panel.cbSize = sizeof panel;
    SHSipInfo(SPI_GETSIPINFO, 0, &panel, 0);
    return panel.rcVisibleDesktop.bottom;
}

LOGFONTW OptionDialog::CurrentFontAt(LONG qvgaHeight) const
{
    LOGFONTW description;
    ZeroMemory(&description, sizeof description);
    HDC dc = GetDC(window);
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof description, &description);
    ReleaseDC(window, dc);
    description.lfHeight = ScreenScale::Pixels(qvgaHeight);
    // The font's own width at the new height: a width kept from the DC's
    // default font, which may be a larger one, stretches the text.
    description.lfWidth = 0;
    return description;
}

void OptionDialog::CreateMenuBar()
{
    if (menuBar)
        return;
    SHMENUBARINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.hwndParent = window;
    info.dwFlags = SHCMBF_EMPTYBAR;
    SHCreateMenuBar(&info);
    menuBar = info.hwndMB;
}
