#include "ScrollPage.h"

#include "SettingsKey.h"
#include "resource.h"

namespace {

// Each list shows the numbers from its first to its last item, so a value is
// stored as its item's index plus the list's first number. Values are not
// clamped: one outside the list leaves it without a selection, and that is
// written back as the no-selection index plus the first number.
const DWORD kMinLinePixels = 1;
const DWORD kMaxLinePixels = 100;
const DWORD kDefaultLinePixels = 20;

// "ScrollPageMethod": how the overlap of a page scroll is given.
const DWORD kOverlapInPixels = 0;
const DWORD kOverlapInPercent = 1;

const DWORD kMaxOverlapPixels = 300;
const DWORD kDefaultOverlapPixels = 20;
const DWORD kMaxOverlapPercent = 100;
const DWORD kDefaultOverlapPercent = 10;

const DWORD kMinDragSensitivity = 1;
const DWORD kMaxDragSensitivity = 16;
const DWORD kDefaultDragSensitivity = 1;

const int kHeadings[] = {IDC_HEADING_1, IDC_HEADING_2, IDC_HEADING_3};

} // namespace

ScrollPage::ScrollPage() : OptionPage(IDD_SCROLL, 0)
{
}

BOOL ScrollPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SetHeadingFont(kHeadings, sizeof kHeadings / sizeof kHeadings[0]);

    // Opened, not created: a missing key shows the defaults.
    SettingsKey settings(&unreadValues);
    settings.Open();

    AddListRange(IDC_SCROLL_LINE_PIXEL, kMinLinePixels, kMaxLinePixels);
    SelectListItem(IDC_SCROLL_LINE_PIXEL,
                   settings.DwordOr(IDS_VALUE_SCROLL_LINE_PIXEL, kDefaultLinePixels) -
                       kMinLinePixels);

    DWORD method = settings.DwordOr(IDS_VALUE_SCROLL_PAGE_METHOD, kOverlapInPixels);
    CheckRadioButton(window, IDC_SCROLL_PAGE_BY_PIXELS, IDC_SCROLL_PAGE_BY_PERCENT,
                     method != kOverlapInPixels ? IDC_SCROLL_PAGE_BY_PERCENT
                                                : IDC_SCROLL_PAGE_BY_PIXELS);

    AddListRange(IDC_SCROLL_PAGE_PIXEL, 0, kMaxOverlapPixels);
    SelectListItem(IDC_SCROLL_PAGE_PIXEL,
                   settings.DwordOr(IDS_VALUE_SCROLL_PAGE_PIXEL, kDefaultOverlapPixels));

    AddListRange(IDC_SCROLL_PAGE_PERCENT, 0, kMaxOverlapPercent);
    SelectListItem(IDC_SCROLL_PAGE_PERCENT,
                   settings.DwordOr(IDS_VALUE_SCROLL_PAGE_PERCENT, kDefaultOverlapPercent));

    AddListRange(IDC_SCROLL_DRAG_SENSITIVITY, kMinDragSensitivity, kMaxDragSensitivity);
    SelectListItem(IDC_SCROLL_DRAG_SENSITIVITY,
                   settings.DwordOr(IDS_VALUE_SCREEN_DRAG_SENSITIVITY, kDefaultDragSensitivity) -
                       kMinDragSensitivity);

    settings.Close();
    return TRUE;
}

// Both overlap lists are written whichever method is chosen, so the other
// one keeps its number for when the user switches back.
void ScrollPage::OnOK()
{
    SettingsKey settings(&unreadValues);
    settings.Create();
    settings.SetDword(IDS_VALUE_SCROLL_LINE_PIXEL,
                      ListSelection(IDC_SCROLL_LINE_PIXEL) + kMinLinePixels);
    settings.SetDword(IDS_VALUE_SCROLL_PAGE_METHOD,
                      CheckState(IDC_SCROLL_PAGE_BY_PERCENT) == BST_CHECKED ? kOverlapInPercent
                                                                            : kOverlapInPixels);
    settings.SetDword(IDS_VALUE_SCROLL_PAGE_PIXEL, ListSelection(IDC_SCROLL_PAGE_PIXEL));
    settings.SetDword(IDS_VALUE_SCROLL_PAGE_PERCENT, ListSelection(IDC_SCROLL_PAGE_PERCENT));
    settings.SetDword(IDS_VALUE_SCREEN_DRAG_SENSITIVITY,
                      ListSelection(IDC_SCROLL_DRAG_SENSITIVITY) + kMinDragSensitivity);
    settings.Close();
}
