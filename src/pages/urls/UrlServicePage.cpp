#include "UrlServicePage.h"

#include "resource.h"

namespace {

const UrlFlagBox kFlagBoxes[] = {
    {IDC_URL_FLAG_CHILD, L'C'}, {IDC_URL_FLAG_SEPARATOR, L'S'}, {IDC_URL_FLAG_GO, L'G'}};
const int kItemControls[] = {IDC_URL_REMOVE,         IDC_URL_UP,        IDC_URL_DOWN,
                             IDC_URL_NAME_FIELD,     IDC_URL_URL_FIELD, IDC_URL_FLAG_CHILD,
                             IDC_URL_FLAG_SEPARATOR, IDC_URL_FLAG_GO};
const int kControlsBelowList[] = {IDC_URL_NAME_LABEL, IDC_URL_NAME_FIELD, IDC_URL_URL_LABEL,
                                  IDC_URL_URL_FIELD,  IDC_URL_FLAG_CHILD, IDC_URL_FLAG_SEPARATOR,
                                  IDC_URL_FLAG_GO};
const int kNoExpandKeyList = 0;

const UrlListPageKind kServicePage = {
    IDD_URL_SERVICE,
    &kServiceList,
    {{IDS_URL_COLUMN_FLAG, 35}, {IDS_URL_COLUMN_NAME, 90}, {IDS_URL_COLUMN_URL, 75}},
    IDC_URL_NAME_FIELD,
    false,
    IDS_URL_COLUMN_NAME,
    kFlagBoxes,
    sizeof kFlagBoxes / sizeof kFlagBoxes[0],
    kNoExclusiveFlag,
    kItemControls,
    sizeof kItemControls / sizeof kItemControls[0],
    kControlsBelowList,
    sizeof kControlsBelowList / sizeof kControlsBelowList[0],
    kNoExpandKeyList,
};

} // namespace

UrlServicePage::UrlServicePage() : UrlListPage(kServicePage)
{
}
