# Fails when the module links the C++ exception runtime: the exception
# support, the unwinder, the thread library that guards them, or the verbose
# terminate handler with its demangler. They are linked only for what throws,
# and NoExceptionRuntime.cpp takes those places; a module source that reaches
# past it (std::string, streams) brings them all back. Also fails when the
# module keeps a function of it that ends the process when memory runs out:
# operator new without std::nothrow, and the places where the library's
# containers throw (std::wstring, std::vector), when ALLOCATION is set.
# Module code allocates only where a failure can be reported. And fails
# when the module imports a runtime DLL instead of linking the runtime in.
# Usage: cmake -DOBJDUMP=<objdump> -DMODULE=<dll> -DMAP=<link map>
#     [-DALLOCATION=ON] -P CheckModuleRuntime.cmake
file(READ ${MAP} map)
string(FIND "${map}" "Archive member included" first)
string(FIND "${map}" "Discarded input sections" last)
if(first EQUAL -1 OR last LESS first)
    message(FATAL_ERROR "${MAP} lists no archive members")
endif()
math(EXPR length "${last} - ${first}")
string(SUBSTRING "${map}" ${first} ${length} members)

# Each entry starts a line with the archive member; the object and the
# symbol that pulled it in follow on the same line or on the next one.
set(unwanted
    "libstdc\\+\\+\\.a\\((eh_[a-z_]+|vterminate|cp-demangle|functexcept)\\.o\\)"
    "libgcc_eh\\.a\\([^)]+\\)"
    "lib(win)?pthread\\.a\\([^)]+\\)")
set(found)
foreach(pattern IN LISTS unwanted)
    string(REGEX MATCHALL "\n[^ \n]*${pattern}[ \n]+[^\n]+" hits "${members}")
    foreach(hit IN LISTS hits)
        string(REGEX REPLACE "^\n([^ \n]*/)?([^/ \n]+)[ \n]+([^ \n]*/)?([^/ \n]+) "
            "\\2, pulled in by \\4 for " hit "${hit}")
        string(APPEND found "\n  ${hit}")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "${MODULE} links runtime parts it must do without:${found}")
endif()

# The memory map lists every input section that the DLL keeps, named after
# its function: "_Znwj" is operator new(size_t), "_Znaj" its array form
# (j, m or y by the width of size_t), "__throw_..." a container's error.
# Only where the linker drops what nothing calls does a kept section tell
# that something calls it.
if(ALLOCATION)
    string(FIND "${map}" "Linker script and memory map" kept)
    string(SUBSTRING "${map}" ${kept} -1 memoryMap)
    string(REGEX MATCHALL "\n \\.text[$.][^ \n]*(_Zn[wa][jmy]|__throw_[a-z_]+[A-Za-z0-9]*)[ \n]"
        aborting "${memoryMap}")
    if(aborting)
        string(REGEX REPLACE "\n \\.text[$.]([^ \n]*\\.)?([^ \n]+)[ \n]" "\n  \\2" aborting
            "${aborting}")
        string(REPLACE ";" "" aborting "${aborting}")
        message(FATAL_ERROR "${MODULE} ends the process when memory runs out, in:${aborting}\n"
            "Module code allocates through new (std::nothrow), WideText or GrowableArray.")
    endif()
endif()

execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot read the import table of ${MODULE}")
endif()
string(REGEX MATCHALL "DLL Name: lib[^\n]*" runtime "${dump}")
if(runtime)
    message(FATAL_ERROR "${MODULE} imports a runtime DLL: ${runtime}")
endif()
