// The C++ runtime pieces that the module's DLL links in place of the
// library's own, so that the DLL carries no exception machinery.
//
// The module is built without exceptions, yet the library's allocation and
// container code reports errors by throwing, and that alone links in the
// unwinder, the exception classes, the thread library that guards them, and
// the verbose terminate handler with its demangler and formatted output:
// most of the DLL. Here every such error ends the process at once, which is
// what an exception that nothing in the module can catch would end in. The
// library's guards of function-local statics pull in the same, and its
// thread library besides; the module runs on one thread, and needs neither.
//
// Linked into the DLL only; the tests link the library's versions.
#include <cstdlib>
#include <cxxabi.h>
#include <new>
#include <string>

namespace {

// The first byte of a guard tells that its static is made; the second that
// it is being made, as in the library's own guards.
const int kMade = 0;
const int kMaking = 1;

unsigned char *GuardBytes(__cxxabiv1::__guard *guard)
{
    return reinterpret_cast<unsigned char *>(guard);
}

void *Allocate(std::size_t size)
{
    // Every allocation gets a distinct address, even one of no bytes.
    return std::malloc(size ? size : 1);
}

void *AllocateOrFail(std::size_t size)
{
    void *block = Allocate(size);
    if (!block)
        std::abort();
    return block;
}

} // namespace

void *operator new(std::size_t size) throw(std::bad_alloc)
{
    return AllocateOrFail(size);
}

void *operator new[](std::size_t size) throw(std::bad_alloc)
{
    return AllocateOrFail(size);
}

// These answer NULL when memory runs out, as the library's do: the module
// checks what they return.
void *operator new(std::size_t size, const std::nothrow_t &) throw()
{
    return Allocate(size);
}

void *operator new[](std::size_t size, const std::nothrow_t &) throw()
{
    return Allocate(size);
}

void operator delete(void *block) throw()
{
    std::free(block);
}

void operator delete[](void *block) throw()
{
    std::free(block);
}

void operator delete(void *block, const std::nothrow_t &) throw()
{
    std::free(block);
}

void operator delete[](void *block, const std::nothrow_t &) throw()
{
    std::free(block);
}

// The guards around the first pass through a function-local static's
// definition. Reaching it again while it is being made, from its own
// initialiser, is an error the library also reports by throwing.
namespace __cxxabiv1 {

extern "C" int __cxa_guard_acquire(__guard *guard)
{
    unsigned char *bytes = GuardBytes(guard);
    if (bytes[kMade])
        return 0;
    if (bytes[kMaking])
        std::abort();
    bytes[kMaking] = 1;
    return 1;
}

extern "C" void __cxa_guard_release(__guard *guard) throw()
{
    unsigned char *bytes = GuardBytes(guard);
    bytes[kMaking] = 0;
    bytes[kMade] = 1;
}

extern "C" void __cxa_guard_abort(__guard *guard) throw()
{
    GuardBytes(guard)[kMaking] = 0;
}

} // namespace __cxxabiv1

// Where the library's containers and allocators throw. The library keeps
// all of these in one unit: each must be here, or that unit comes back.
namespace std {

void __throw_bad_exception()
{
    std::abort();
}
void __throw_bad_alloc()
{
    std::abort();
}
void __throw_bad_array_new_length()
{
    std::abort();
}
void __throw_bad_cast()
{
    std::abort();
}
void __throw_bad_typeid()
{
    std::abort();
}
void __throw_logic_error(const char *)
{
    std::abort();
}
void __throw_domain_error(const char *)
{
    std::abort();
}
void __throw_invalid_argument(const char *)
{
    std::abort();
}
void __throw_length_error(const char *)
{
    std::abort();
}
void __throw_out_of_range(const char *)
{
    std::abort();
}
void __throw_out_of_range_fmt(const char *, ...)
{
    std::abort();
}
void __throw_runtime_error(const char *)
{
    std::abort();
}
void __throw_range_error(const char *)
{
    std::abort();
}
void __throw_overflow_error(const char *)
{
    std::abort();
}
void __throw_underflow_error(const char *)
{
    std::abort();
}

// The library's own copy of the wide string is built with exceptions; this
// one is built as the module is, so its error paths lead here.
template class basic_string<wchar_t>;

} // namespace std
