// Many sheets in a row: every page shown, accepted or cancelled. What the
// module takes from the system (GDI objects, icons, image lists, device
// contexts, windows) and from the heap must come back to where it was after
// the first sheet. The system's own counters are not there under every
// platform, so the module's calls are counted through this program's import
// table, into which the module is linked.
#include "FullSheet.h"
#include "ImportHook.h"
#include "SavedKey.h"
#include "TestRegistry.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>

namespace {

const int kCycles = 200;
// Blocks the heap may gain over the cycles after the first: the system's own
// caches settle within a few.
const long kHeapSlack = 8;

// Handles that the module holds, by kind, and how many it ever made.
enum Kind { kGdiObject, kDeviceContext, kIcon, kImageList, kKinds };
const char *const kKindNames[kKinds] = {"GDI objects", "device contexts", "icons", "image lists"};
std::map<void *, int> live[kKinds];
long made[kKinds];
// Image lists handed to a list view, which destroys them with itself.
std::map<HIMAGELIST, HWND> imageListOwners;

void Took(Kind kind, void *handle)
{
    if (!handle)
        return;
    ++live[kind][handle];
    ++made[kind];
}

void Gave(Kind kind, void *handle)
{
    auto found = live[kind].find(handle);
    if (found != live[kind].end() && --found->second == 0)
        live[kind].erase(found);
}

decltype(&CreateFontIndirectW) realCreateFont;
decltype(&LoadBitmapW) realLoadBitmap;
decltype(&DeleteObject) realDeleteObject;
decltype(&CreateCompatibleDC) realCreateDc;
decltype(&DeleteDC) realDeleteDc;
decltype(&GetDC) realGetDc;
decltype(&ReleaseDC) realReleaseDc;
decltype(&ExtractIconExW) realExtractIcons;
decltype(&DestroyIcon) realDestroyIcon;
decltype(&ImageList_Create) realCreateImageList;
decltype(&ImageList_Destroy) realDestroyImageList;
decltype(&SendMessageW) realSendMessage;

HFONT WINAPI CountedCreateFont(const LOGFONTW *description)
{
    HFONT font = realCreateFont(description);
    Took(kGdiObject, font);
    return font;
}
HBITMAP WINAPI CountedLoadBitmap(HINSTANCE instance, LPCWSTR name)
{
    HBITMAP bitmap = realLoadBitmap(instance, name);
    Took(kGdiObject, bitmap);
    return bitmap;
}
BOOL WINAPI CountedDeleteObject(HGDIOBJ object)
{
    Gave(kGdiObject, object);
    return realDeleteObject(object);
}
HDC WINAPI CountedCreateDc(HDC dc)
{
    HDC made = realCreateDc(dc);
    Took(kDeviceContext, made);
    return made;
}
BOOL WINAPI CountedDeleteDc(HDC dc)
{
    Gave(kDeviceContext, dc);
    return realDeleteDc(dc);
}
HDC WINAPI CountedGetDc(HWND window)
{
    HDC dc = realGetDc(window);
    Took(kDeviceContext, dc);
    return dc;
}
int WINAPI CountedReleaseDc(HWND window, HDC dc)
{
    Gave(kDeviceContext, dc);
    return realReleaseDc(window, dc);
}
UINT WINAPI CountedExtractIcons(LPCWSTR file, int index, HICON *large, HICON *small, UINT count)
{
    UINT extracted = realExtractIcons(file, index, large, small, count);
    if (index != -1)
        for (UINT i = 0; i < count && i < extracted; ++i) {
            if (large)
                Took(kIcon, large[i]);
            if (small)
                Took(kIcon, small[i]);
        }
    return extracted;
}
BOOL WINAPI CountedDestroyIcon(HICON icon)
{
    Gave(kIcon, icon);
    return realDestroyIcon(icon);
}
HIMAGELIST WINAPI CountedCreateImageList(int width, int height, UINT flags, int initial, int grow)
{
    HIMAGELIST images = realCreateImageList(width, height, flags, initial, grow);
    Took(kImageList, images);
    return images;
}
BOOL WINAPI CountedDestroyImageList(HIMAGELIST images)
{
    Gave(kImageList, images);
    imageListOwners.erase(images);
    return realDestroyImageList(images);
}
LRESULT WINAPI CountedSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LVM_SETIMAGELIST && lParam &&
        !(GetWindowLongW(window, GWL_STYLE) & LVS_SHAREIMAGELISTS))
        imageListOwners[reinterpret_cast<HIMAGELIST>(lParam)] = window;
    return realSendMessage(window, message, wParam, lParam);
}

template <class Function>
void Hook(const char *dll, const char *name, Function replacement, Function *original)
{
    *original =
        reinterpret_cast<Function>(HookImport(dll, name, reinterpret_cast<void *>(replacement)));
    ASSERT_TRUE(*original) << name;
}

void HookAll()
{
    Hook("gdi32.dll", "CreateFontIndirectW", &CountedCreateFont, &realCreateFont);
    Hook("gdi32.dll", "DeleteObject", &CountedDeleteObject, &realDeleteObject);
    Hook("gdi32.dll", "CreateCompatibleDC", &CountedCreateDc, &realCreateDc);
    Hook("gdi32.dll", "DeleteDC", &CountedDeleteDc, &realDeleteDc);
    Hook("user32.dll", "LoadBitmapW", &CountedLoadBitmap, &realLoadBitmap);
    Hook("user32.dll", "GetDC", &CountedGetDc, &realGetDc);
    Hook("user32.dll", "ReleaseDC", &CountedReleaseDc, &realReleaseDc);
    Hook("user32.dll", "DestroyIcon", &CountedDestroyIcon, &realDestroyIcon);
    Hook("user32.dll", "SendMessageW", &CountedSendMessage, &realSendMessage);
    Hook("shell32.dll", "ExtractIconExW", &CountedExtractIcons, &realExtractIcons);
    Hook("comctl32.dll", "ImageList_Create", &CountedCreateImageList, &realCreateImageList);
    Hook("comctl32.dll", "ImageList_Destroy", &CountedDestroyImageList, &realDestroyImageList);
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<long *>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

struct Counts {
    long handles[kKinds];
    long windows;
    long heapBlocks;
};

long BusyHeapBlocks()
{
    HANDLE heaps[64];
    DWORD heapCount = GetProcessHeaps(64, heaps);
    long busy = 0;
    for (DWORD i = 0; i < heapCount && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                ++busy;
        HeapUnlock(heaps[i]);
    }
    return busy;
}

Counts Count()
{
    Counts counts = {};
    for (auto owned = imageListOwners.begin(); owned != imageListOwners.end();) {
        if (IsWindow(owned->second)) {
            ++owned;
            continue;
        }
        live[kImageList].erase(owned->first);
        owned = imageListOwners.erase(owned);
    }
    for (int kind = 0; kind < kKinds; ++kind) {
        counts.handles[kind] = 0;
        for (const auto &handle : live[kind])
            counts.handles[kind] += handle.second;
    }
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
    counts.heapBlocks = BusyHeapBlocks();
    return counts;
}

class SoakTest : public FullSheetTest {
protected:
    void SetUp() override
    {
        FullSheetTest::SetUp();
        AddShellButtons();
    }
    void Cycle()
    {
        Show(true);
        Show(false);
    }
};

TEST_F(SoakTest, SheetsGiveBackWhatTheyTake)
{
    HookAll();
    auto start = std::chrono::steady_clock::now();
    Cycle();
    const Counts first = Count();
    for (int i = 1; i < kCycles && !HasFailure(); ++i)
        Cycle();
    const Counts last = Count();
    auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    std::printf("%d sheets in %lld s; heap blocks %ld after the first cycle, %ld at the end\n",
                2 * kCycles, static_cast<long long>(seconds.count()), first.heapBlocks,
                last.heapBlocks);

    for (int kind = 0; kind < kKinds; ++kind)
        EXPECT_EQ(first.handles[kind], last.handles[kind]) << kKindNames[kind];
    EXPECT_EQ(first.windows, last.windows);
    EXPECT_LE(last.heapBlocks, first.heapBlocks + kHeapSlack);
    // The counters saw the module at work: its fonts and bitmaps, the
    // buttons' icons and image lists, each sheet.
    EXPECT_GE(made[kGdiObject], kCycles * 2);
    EXPECT_GE(made[kIcon], kCycles * 2);
    EXPECT_GE(made[kImageList], kCycles * 2);
}

} // namespace
