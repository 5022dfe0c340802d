// Fails one allocation of the options module at a time, at chosen points of
// a tour that installs both lists, opens the sheet, shows every page and
// accepts. The module is the DLL itself, loaded as the add-on loads it, and
// its allocations are its calls to the C library's allocator, through its
// own import table. At every point the process lives, ShowOptions answers
// as the unfailed tour does or as for a sheet that cannot be made (writing
// nothing then), and every stored value ends as it was before the sheet or
// as the unfailed tour leaves it.
#include "FullSheet.h"
#include "ImportHook.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The tour's stages, each counted on its own: the two installers, the
// opening up to the start page, each page shown, and OK.
const int kInstallAliases = 0;
const int kInstallServices = 1;
const int kOpening = 2;
const int kFirstPage = 3;
const int kAccepting = kFirstPage + kSheetPageCount;
const int kStages = kAccepting + 1;
const int kButtonsPage = kFirstPage + 1;
const int kAliasPage = kFirstPage + 2;
const int kServicePage = kFirstPage + 3;

// Which of a stage's allocations fails.
enum Which { kFirst, kMiddle, kLast };

struct Point {
    int stage;
    Which which;
};

const Point kPoints[] = {
    {kInstallAliases, kFirst}, {kInstallServices, kFirst}, {kOpening, kFirst},
    {kOpening, kMiddle},       {kOpening, kLast},          {kButtonsPage, kMiddle},
    {kButtonsPage, kLast},     {kAliasPage, kFirst},       {kAliasPage, kMiddle},
    {kAliasPage, kLast},       {kServicePage, kMiddle},    {kAccepting, kFirst},
    {kAccepting, kMiddle},     {kAccepting, kLast},
};

// What the sheet's run reports, in the low half, when there is no sheet.
const DWORD kNoSheet = 0xFFFF;

decltype(&std::malloc) realMalloc;
decltype(&std::realloc) realRealloc;
decltype(&std::calloc) realCalloc;

int stage = kInstallAliases;
long counts[kStages];
// The allocation of failStage to fail, counted from 1; 0 fails none.
int failStage = kInstallAliases;
long failAt = 0;

bool Fails()
{
    return ++counts[stage] == failAt && stage == failStage;
}
void *__cdecl FailingMalloc(size_t size)
{
    return Fails() ? nullptr : realMalloc(size);
}
void *__cdecl FailingRealloc(void *block, size_t size)
{
    return Fails() ? nullptr : realRealloc(block, size);
}
void *__cdecl FailingCalloc(size_t count, size_t size)
{
    return Fails() ? nullptr : realCalloc(count, size);
}

using Tree = std::map<std::wstring, testreg::Value>;

class AllocationFailureTest : public FullSheetTest {
protected:
    void SetUp() override
    {
        FullSheetTest::SetUp();
        AddShellButtons();
        module = LoadModule(L"VelotabOptions.dll");
        ASSERT_TRUE(module);
        realMalloc = Hook("malloc", &FailingMalloc);
        realRealloc = Hook("realloc", &FailingRealloc);
        realCalloc = Hook("calloc", &FailingCalloc);
    }
    void TearDown() override
    {
        Hook("malloc", realMalloc);
        Hook("realloc", realRealloc);
        Hook("calloc", realCalloc);
        FreeLibrary(module);
        FullSheetTest::TearDown();
    }
    template <class Function> Function Hook(const char *name, Function replacement)
    {
        return reinterpret_cast<Function>(HookImport(
            "msvcrt.dll", name, reinterpret_cast<void *>(replacement), module));
    }

    // One tour from an empty settings key; what ShowOptions returns.
    // installed: the key as the installers leave it.
    DWORD Tour(Tree *installed)
    {
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        // A button's assignments, which the Buttons page rewrites on OK.
        testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys\\40C1"), L"", 0x00450020);
        std::fill(std::begin(counts), std::end(counts), 0);
        for (int list = kInstallAliases; list <= kInstallServices; ++list) {
            stage = list;
            WORD ordinal = list == kInstallAliases ? kInstallAliasesOrdinal
                                                   : kInstallServicesOrdinal;
            ExportByOrdinal<InstallDefaultsProc>(module, ordinal)(vendor.c_str(), product.c_str(),
                                                                  L"1.0");
        }
        *installed = testreg::ReadTree(HKEY_CURRENT_USER, Path());
        stage = kOpening;
        TourOptions options;
        options.show = ExportByOrdinal<ShowOptionsProc>(module, kShowOptionsOrdinal);
        options.sheetRequired = false;
        options.step = [](int page) { stage = kFirstPage + page; };
        return Show(true, options);
    }

    HMODULE module = nullptr;
};

// 0 for a stage that allocates nothing.
long Pick(Which which, long count)
{
    if (count == 0)
        return 0;
    return which == kFirst ? 1 : which == kMiddle ? (count + 1) / 2 : count;
}

// A list section holds a whole list or none.
void ExpectWholeList(const Tree &tree, const std::wstring &section, size_t entries)
{
    size_t values = 0;
    for (const auto &value : tree)
        values += value.first.compare(0, section.size() + 2, L"\\" + section + L"\\") == 0;
    EXPECT_TRUE(values == 0 || values == 2 * entries) << testing::PrintToString(section);
}

TEST_F(AllocationFailureTest, AFailedAllocationEndsItsOperationAndLosesNothing)
{
    Tree installed;
    const DWORD reference = Tour(&installed);
    const Tree toured = testreg::ReadTree(HKEY_CURRENT_USER, Path());
    const std::vector<long> tourCounts(std::begin(counts), std::end(counts));
    long total = 0;
    for (long count : tourCounts)
        total += count;
    std::printf("a tour allocates %ld times: installers %ld and %ld, opening %ld, pages", total,
                tourCounts[kInstallAliases], tourCounts[kInstallServices], tourCounts[kOpening]);
    for (int page = kFirstPage; page < kAccepting; ++page)
        std::printf(" %ld", tourCounts[page]);
    std::printf(", OK %ld\n", tourCounts[kAccepting]);

    for (const Point &point : kPoints) {
        failStage = point.stage;
        failAt = Pick(point.which, tourCounts[point.stage]);
        const std::string where = "stage " + std::to_string(point.stage) + ", allocation " +
                                  std::to_string(failAt);
        if (failAt == 0) {
            std::printf("%s: nothing to fail\n", where.c_str());
            continue;
        }
        Tree before;
        const DWORD result = Tour(&before);
        const Tree after = testreg::ReadTree(HKEY_CURRENT_USER, Path());
        ExpectWholeList(before, L"Alias", 20);
        ExpectWholeList(before, L"Service", 81);
        if (LOWORD(result) == kNoSheet) {
            EXPECT_EQ(0, HIWORD(result)) << where;
            EXPECT_EQ(before, after) << where;
            continue;
        }
        EXPECT_EQ(reference, result) << where;
        std::map<std::wstring, bool> names;
        for (const Tree *tree : std::initializer_list<const Tree *>{&before, &after, &toured})
            for (const auto &value : *tree)
                names[value.first] = true;
        std::wstring lost;
        for (const auto &name : names) {
            auto state = [&](const Tree &tree) {
                auto found = tree.find(name.first);
                return found == tree.end() ? std::optional<testreg::Value>() : found->second;
            };
            if (!(state(after) == state(before)) && !(state(after) == state(toured)))
                lost += L" " + name.first;
        }
        EXPECT_EQ(L"", lost) << where;
    }
    failAt = 0;
}

} // namespace
