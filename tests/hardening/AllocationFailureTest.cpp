// Fails one allocation of the loaded DLL (its own imports of the C library's
// allocator) at chosen points of a tour: installers, opening, pages, OK. The
// process lives, ShowOptions answers as the unfailed tour or as for no sheet
// (writing nothing then), and every stored value ends as it was or as the
// unfailed tour leaves it.
#include "FullSheet.h"
#include "ImportHook.h"
#include "UnreadValues.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

// The tour's stages, each counted on its own: the installers, the opening
// up to the start page, each page shown, and OK.
const int kInstalling = 0;
const int kOpening = 1;
const int kFirstPage = 2;
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
    {kOpening, kFirst},      {kOpening, kMiddle},  {kOpening, kLast},     {kButtonsPage, kMiddle},
    {kButtonsPage, kLast},   {kAliasPage, kFirst}, {kAliasPage, kMiddle}, {kAliasPage, kLast},
    {kServicePage, kMiddle}, {kAccepting, kFirst}, {kAccepting, kLast},
};

// What the sheet's run reports, in the low half, when there is no sheet.
const DWORD kNoSheet = 0xFFFF;

decltype(&std::malloc) realMalloc;
decltype(&std::realloc) realRealloc;

int stage = kInstalling;
long counts[kStages];
// The allocation of failStage to fail, counted from 1; 0 fails none.
int failStage = kInstalling;
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

void *__cdecl NoMalloc(size_t)
{
    return nullptr;
}
void *__cdecl NoRealloc(void *, size_t)
{
    return nullptr;
}

// Runs call with every allocation of this program's own code failing: the
// module code linked into it, and nothing of the loaded DLL.
template <class Call> void WithoutMemory(Call call)
{
    void *malloc = HookImport("msvcrt.dll", "malloc", reinterpret_cast<void *>(&NoMalloc));
    void *realloc = HookImport("msvcrt.dll", "realloc", reinterpret_cast<void *>(&NoRealloc));
    ASSERT_TRUE(malloc && realloc);
    call();
    HookImport("msvcrt.dll", "malloc", malloc);
    HookImport("msvcrt.dll", "realloc", realloc);
}

using Tree = std::map<std::wstring, testreg::Value>;

// The settings key's values by their paths below it.
Tree StoredSettings(const std::wstring &path)
{
    Tree tree;
    for (const testreg::Value &value : testreg::ValuesBelow(HKEY_CURRENT_USER, path))
        tree[value.name] = value;
    return tree;
}

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
    }
    void TearDown() override
    {
        Hook("malloc", realMalloc);
        Hook("realloc", realRealloc);
        FreeLibrary(module);
        FullSheetTest::TearDown();
    }
    template <class Function> Function Hook(const char *name, Function replacement)
    {
        return reinterpret_cast<Function>(
            HookImport("msvcrt.dll", name, reinterpret_cast<void *>(replacement), module));
    }

    // One tour from an empty settings key; what ShowOptions returns.
    // installed: the key as the installers leave it.
    DWORD Tour(Tree *installed)
    {
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        // A button's assignments, which the Buttons page rewrites on OK.
        testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys\\40C1"), L"", 0x00450020);
        std::fill(std::begin(counts), std::end(counts), 0);
        stage = kInstalling;
        for (WORD ordinal : {kInstallAliasesOrdinal, kInstallServicesOrdinal})
            ExportByOrdinal<InstallDefaultsProc>(module, ordinal)(vendor.c_str(), product.c_str(),
                                                                  L"1.0");
        *installed = StoredSettings(Path());
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

TEST_F(AllocationFailureTest, AFailedAllocationEndsItsOperationAndLosesNothing)
{
    Tree installed;
    const DWORD reference = Tour(&installed);
    const Tree toured = StoredSettings(Path());
    const std::vector<long> tourCounts(std::begin(counts), std::end(counts));
    long total = 0;
    for (long count : tourCounts)
        total += count;
    std::printf("a tour allocates %ld times: installers %ld, opening %ld, pages", total,
                tourCounts[kInstalling], tourCounts[kOpening]);
    for (int page = kFirstPage; page < kAccepting; ++page)
        std::printf(" %ld", tourCounts[page]);
    std::printf(", OK %ld\n", tourCounts[kAccepting]);
    // Installers that need no memory write a whole list or none.
    EXPECT_EQ(0, tourCounts[kInstalling]);

    for (const Point &point : kPoints) {
        failStage = point.stage;
        failAt = Pick(point.which, tourCounts[point.stage]);
        const std::string where =
            "stage " + std::to_string(point.stage) + ", allocation " + std::to_string(failAt);
        if (failAt == 0)
            continue;
        Tree before;
        const DWORD result = Tour(&before);
        const Tree after = StoredSettings(Path());
        if (LOWORD(result) == kNoSheet) {
            EXPECT_EQ(0, HIWORD(result)) << where;
            EXPECT_EQ(before, after) << where;
            continue;
        }
        EXPECT_EQ(reference, result) << where;
        std::wstring lost;
        for (const Tree *tree : std::initializer_list<const Tree *>{&before, &after, &toured})
            for (const auto &value : *tree) {
                auto state = [&](const Tree &of) {
                    auto found = of.find(value.first);
                    return found == of.end() ? std::optional<testreg::Value>() : found->second;
                };
                if (!(state(after) == state(before)) && !(state(after) == state(toured)))
                    lost += L" " + value.first;
            }
        EXPECT_EQ(L"", lost) << where;
    }
    failAt = 0;
}

// A page's record of the settings it could not read: what it has no room to
// remember is kept as stored, whatever the page then holds.
TEST_F(AllocationFailureTest, AnUnreadValueWithoutRoomToRememberItIsKept)
{
    const LPCWSTR flag = L"Flag", part = L"Part";
    const DWORD on = 1, off = 0;
    UnreadValues record;
    record.Remember(flag, on);
    WithoutMemory([&] { record.Remember(part, L"a text longer than a short one"); });
    EXPECT_TRUE(record.Keeps(part, L"what the user typed"));
    EXPECT_TRUE(record.Keeps(flag, on));
    EXPECT_FALSE(record.Keeps(flag, off));
    EXPECT_FALSE(record.Keeps(L"Other", on));

    UnreadValues full;
    WithoutMemory([&] { full.Remember(flag, on); });
    EXPECT_TRUE(full.Keeps(flag, off));
    EXPECT_TRUE(full.Keeps(part, L"any text"));
}

} // namespace
