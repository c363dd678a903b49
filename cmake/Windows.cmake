# The Win32 shell, the program, its hook library and the Windows-only test programs.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++)
# Small binaries: unused functions are dropped. The shipped program and
# library are stripped; the test programs keep their symbols, so a crash
# under Wine shows a backtrace with names.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)
# Sections on page boundaries in the file too: Wine then maps the image from
# the file instead of copying it into private memory (about 2 MB for Dravik).
add_link_options(-Wl,--file-alignment,0x1000)
# Programs, the hook library and the test programs side by side, as installed.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The common dialogs (the picture's open dialog), COM (the picture decoder)
# and the Internet settings (the proxy) load when a feature first needs them,
# not with the program: a ruler that only measures never maps them.
include(${CMAKE_SOURCE_DIR}/cmake/DelayImports.cmake)
dravik_delay_import_libraries(DRAVIK_ON_FIRST_USE_LIBS comdlg32 ole32 wininet)
set(DRAVIK_WIN_LIBS user32 gdi32 comctl32 ${DRAVIK_ON_FIRST_USE_LIBS} shell32 oleaut32 uuid
    advapi32 shlwapi windowscodecs msimg32 winmm uxtheme)

# zephal.dll: the system-wide mouse hook.
add_library(zephal SHARED src/hook/zephal.cpp src/hook/zephal.def)
target_include_directories(zephal PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(zephal PRIVATE ${DRAVIK_WARNINGS})
target_link_libraries(zephal PRIVATE user32 kernel32)
set_target_properties(zephal PROPERTIES PREFIX "" OUTPUT_NAME zephal)
target_link_options(zephal PRIVATE -s)

# The shell: every .cpp in a win/ folder, except the program entry.
file(GLOB DRAVIK_SHELL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/win/*.cpp)
list(FILTER DRAVIK_SHELL_SOURCES EXCLUDE REGEX ".*/src/app/win/WinMain\\.cpp$")
add_library(dravik_shell STATIC ${DRAVIK_SHELL_SOURCES})
target_link_libraries(dravik_shell PUBLIC dravik_core zephal ${DRAVIK_WIN_LIBS})
# The help's context ids, shared with the help project.
target_include_directories(dravik_shell PUBLIC ${CMAKE_SOURCE_DIR}/resources)
target_compile_options(dravik_shell PRIVATE ${DRAVIK_WARNINGS})

add_executable(Dravik WIN32 src/app/win/WinMain.cpp resources/Dravik.rc)
target_link_libraries(Dravik PRIVATE dravik_shell)
target_link_options(Dravik PRIVATE -municode -s)
target_compile_options(Dravik PRIVATE ${DRAVIK_WARNINGS})

# The help files beside the program: the German Hilfe.chm and the English
# Help.chm. Both use the help ids and their pages in resources/help.
file(GLOB DRAVIK_HELP_SHARED CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/help/Help*)
set(DRAVIK_HELP_SCRIPTS ${CMAKE_SOURCE_DIR}/scripts/build-help.sh ${CMAKE_SOURCE_DIR}/scripts/help-files.sh)
set(DRAVIK_HELP_FILES)
set(help_chms Hilfe.chm Help.chm)
set(help_folders help help-en)
foreach(chm folder IN ZIP_LISTS help_chms help_folders)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/${folder}/*)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/${chm}
        COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-help.sh ${CMAKE_BINARY_DIR}/bin/${chm}
        DEPENDS ${sources} ${DRAVIK_HELP_SHARED} ${DRAVIK_HELP_SCRIPTS}
        COMMENT "Building ${chm}" VERBATIM)
    list(APPEND DRAVIK_HELP_FILES ${CMAKE_BINARY_DIR}/bin/${chm})
endforeach()
add_custom_target(dravik_help ALL DEPENDS ${DRAVIK_HELP_FILES})
