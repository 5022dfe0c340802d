#include "UrlAliasPage.h"

#include "resource.h"

namespace {

const UrlFlagBox kFlagBoxes[] = {{IDC_URL_FLAG_DEFAULT, L'D'}, {IDC_URL_FLAG_EXP_KEY, L'E'}};
// "Default": the alias that the add-on uses when nothing else matches.
const int kDefaultFlag = 0;
const int kItemControls[] = {IDC_URL_REMOVE,      IDC_URL_UP,           IDC_URL_DOWN,
                             IDC_URL_ALIAS_FIELD, IDC_URL_FLAG_DEFAULT, IDC_URL_FLAG_EXP_KEY,
                             IDC_URL_URL_FIELD};
const int kControlsBelowList[] = {IDC_URL_ALIAS_LABEL, IDC_URL_ALIAS_FIELD,  IDC_URL_URL_LABEL,
                                  IDC_URL_URL_FIELD,   IDC_URL_FLAG_DEFAULT, IDC_URL_FLAG_EXP_KEY};

const UrlListPageKind kAliasPage = {
    IDD_URL_ALIAS,
    &kAliasList,
    {{IDS_URL_COLUMN_FLAG, 35}, {IDS_URL_COLUMN_ALIAS, 35}, {IDS_URL_COLUMN_URL, 130}},
    IDC_URL_ALIAS_FIELD,
    true,
    IDS_URL_COLUMN_ALIAS,
    kFlagBoxes,
    sizeof kFlagBoxes / sizeof kFlagBoxes[0],
    kDefaultFlag,
    kItemControls,
    sizeof kItemControls / sizeof kItemControls[0],
    kControlsBelowList,
    sizeof kControlsBelowList / sizeof kControlsBelowList[0],
    IDC_URL_EXPAND_KEY,
};

} // namespace

UrlAliasPage::UrlAliasPage() : UrlListPage(kAliasPage)
{
}
