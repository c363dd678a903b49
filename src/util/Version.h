#pragma once
// The program's version, in one place: the version resource, the program
// information and the installer (scripts/dist.sh reads the two numbers) all
// take it from here. Plain macros, so that the resource compiler can read it.
#define DRAVIK_VERSION_MAJOR 2
#define DRAVIK_VERSION_MINOR 2

#define DRAVIK_STRINGIZE2(x) #x
#define DRAVIK_STRINGIZE(x) DRAVIK_STRINGIZE2(x)
// "2.2"
#define DRAVIK_VERSION_STRING                                                                      \
    DRAVIK_STRINGIZE(DRAVIK_VERSION_MAJOR) "." DRAVIK_STRINGIZE(DRAVIK_VERSION_MINOR)
#define DRAVIK_WIDEN2(s) L##s
#define DRAVIK_WIDEN(s) DRAVIK_WIDEN2(s)
// L"2.2"
#define DRAVIK_VERSION_WSTRING DRAVIK_WIDEN(DRAVIK_VERSION_STRING)
