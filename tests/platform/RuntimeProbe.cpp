// A DLL built and linked as the module's DLL is, with the same runtime
// pieces in place of the library's, whose allocation and container errors
// the tests call by name.
#include <cstddef>
#include <new>
#include <string>
#include <vector>

#include <windows.h>

namespace {

enum AllocationForm { kScalar, kArray, kScalarNothrow, kArrayNothrow };

int initialisations = 0;

int Initialise()
{
    return ++initialisations;
}

int Reenter();

} // namespace

extern "C" {

__declspec(dllexport) void *ProbeNew(std::size_t size, int form)
{
    switch (form) {
    case kScalar:
        return operator new(size);
    case kArray:
        return operator new[](size);
    case kScalarNothrow:
        return operator new(size, std::nothrow);
    case kArrayNothrow:
        return operator new[](size, std::nothrow);
    default:
        return NULL;
    }
}

__declspec(dllexport) void ProbeDelete(void *block, int form)
{
    if (form == kArray || form == kArrayNothrow)
        operator delete[](block);
    else
        operator delete(block);
}

// Each asks a container for more than it can hold, which the library
// reports by throwing.
__declspec(dllexport) void ProbeStringTooLong()
{
    std::wstring text;
    text.reserve(text.max_size() + 1);
}

__declspec(dllexport) void ProbeVectorTooLong()
{
    std::vector<int> numbers;
    numbers.reserve(numbers.max_size() + 1);
}

__declspec(dllexport) wchar_t ProbeStringOutOfRange(std::size_t index)
{
    std::wstring text(L"ab");
    return text.at(index);
}

// Made on the first call only; answers how often it was made.
__declspec(dllexport) int ProbeLocalStatic()
{
    static const int made = Initialise();
    return made == initialisations ? initialisations : -1;
}

// Its static's initialiser calls it again.
__declspec(dllexport) void ProbeRecursiveStatic()
{
    static const int value = Reenter();
    static_cast<void>(value);
}

} // extern "C"

namespace {

int Reenter()
{
    ProbeRecursiveStatic();
    return 1;
}

} // namespace
