// The runtime pieces that the module's DLL links instead of the library's
// exception machinery, seen through a DLL linked the same way: allocation
// and function-local statics work as the module expects, and every error
// that the library would throw ends the process as an uncaught exception
// would, through abort.
#include <gtest/gtest.h>

#include <windows.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <set>

namespace {

enum AllocationForm { kScalar, kArray, kScalarNothrow, kArrayNothrow };

// What the death tests exit with once abort has run: neither a normal end
// nor the fatal-exception guard's status.
const int kAbortedStatus = 42;
// No allocation can hold half the address space.
const size_t kImpossibleSize = SIZE_MAX / 2;

void EndAborted(int)
{
    std::_Exit(kAbortedStatus);
}

class NoExceptionRuntime : public testing::Test {
protected:
    void SetUp() override
    {
        probe = LoadLibraryW(L"runtime_probe.dll");
        ASSERT_NE(nullptr, probe) << "error " << GetLastError();
        newBlock = Export<void *(*)(size_t, int)>("ProbeNew");
        deleteBlock = Export<void (*)(void *, int)>("ProbeDelete");
        ASSERT_TRUE(newBlock && deleteBlock);
    }
    void TearDown() override { FreeLibrary(probe); }

    template <class Function> Function Export(const char *name) const
    {
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(probe, name)));
    }
    // Calls the probe's export of that name in a way that must end in abort.
    void CallAborting(const char *name) const
    {
        auto call = Export<void (*)()>(name);
        ASSERT_NE(nullptr, call) << name;
        std::signal(SIGABRT, EndAborted);
        call();
    }

    HMODULE probe = nullptr;
    void *(*newBlock)(size_t, int) = nullptr;
    void (*deleteBlock)(void *, int) = nullptr;
};

TEST_F(NoExceptionRuntime, AllocatesDistinctBlocksInEveryFormEvenOfNoBytes)
{
    for (int form : {kScalar, kArray, kScalarNothrow, kArrayNothrow}) {
        std::set<void *> blocks;
        for (size_t size : {size_t(0), size_t(0), size_t(1), size_t(4096)}) {
            void *block = newBlock(size, form);
            ASSERT_NE(nullptr, block) << "form " << form << ", size " << size;
            EXPECT_TRUE(blocks.insert(block).second) << "form " << form << ", size " << size;
        }
        for (void *block : blocks)
            deleteBlock(block, form);
    }
}

TEST_F(NoExceptionRuntime, NothrowFormsAnswerNullWhenMemoryRunsOut)
{
    // The module leaves out the sheet when a page cannot be made: it needs
    // the null, not the end of the process.
    EXPECT_EQ(nullptr, newBlock(kImpossibleSize, kScalarNothrow));
    EXPECT_EQ(nullptr, newBlock(kImpossibleSize, kArrayNothrow));
}

TEST_F(NoExceptionRuntime, MakesAFunctionLocalStaticOnce)
{
    auto localStatic = Export<int (*)()>("ProbeLocalStatic");
    ASSERT_NE(nullptr, localStatic);
    EXPECT_EQ(1, localStatic());
    EXPECT_EQ(1, localStatic());
}

using NoExceptionRuntimeDeathTest = NoExceptionRuntime;

TEST_F(NoExceptionRuntimeDeathTest, ThrowingFormsEndTheProcessWhenMemoryRunsOut)
{
    for (int form : {kScalar, kArray})
        EXPECT_EXIT(
            {
                std::signal(SIGABRT, EndAborted);
                newBlock(kImpossibleSize, form);
            },
            testing::ExitedWithCode(kAbortedStatus), "")
            << "form " << form;
}

TEST_F(NoExceptionRuntimeDeathTest, AStaticReachedFromItsOwnInitialiserEndsTheProcess)
{
    EXPECT_EXIT(CallAborting("ProbeRecursiveStatic"), testing::ExitedWithCode(kAbortedStatus), "");
}

TEST_F(NoExceptionRuntimeDeathTest, ContainerErrorsEndTheProcess)
{
    EXPECT_EXIT(CallAborting("ProbeStringTooLong"), testing::ExitedWithCode(kAbortedStatus), "");
    EXPECT_EXIT(CallAborting("ProbeVectorTooLong"), testing::ExitedWithCode(kAbortedStatus), "");

    auto at = Export<wchar_t (*)(size_t)>("ProbeStringOutOfRange");
    ASSERT_NE(nullptr, at);
    EXPECT_EQ(L'b', at(1));
    EXPECT_EXIT(
        {
            std::signal(SIGABRT, EndAborted);
            at(2);
        },
        testing::ExitedWithCode(kAbortedStatus), "");
}

} // namespace
