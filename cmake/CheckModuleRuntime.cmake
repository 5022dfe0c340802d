# Fails when the module links the C++ exception runtime: the exception
# support, the unwinder, the thread library that guards them, or the verbose
# terminate handler with its demangler. They are linked only for what throws,
# and NoExceptionRuntime.cpp takes those places; a module source that reaches
# past it (std::string, streams) brings them all back. Also fails when the
# module imports a runtime DLL instead of linking the runtime in.
# Usage: cmake -DOBJDUMP=<objdump> -DMODULE=<dll> -DMAP=<link map> -P CheckModuleRuntime.cmake
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

execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot read the import table of ${MODULE}")
endif()
string(REGEX MATCHALL "DLL Name: lib[^\n]*" runtime "${dump}")
if(runtime)
    message(FATAL_ERROR "${MODULE} imports a runtime DLL: ${runtime}")
endif()
