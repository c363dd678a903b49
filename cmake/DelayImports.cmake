# Delay-import libraries: a program linked with one imports nothing from the
# DLL at load time; the first call of one of its functions goes through the
# runtime's delay-load helper (__delayLoadHelper2 of libmingwex), which loads
# the DLL then and patches the call's address in. The program sets the
# helper's notification hook so that it loads from the system folder only
# (src/util/win/SystemLibraries.cpp).
#
# Each library is made at configure time from the toolchain's own import
# library, so it names every function the DLL exports and needs no list of
# ours kept up to date.
include_guard(GLOBAL)
find_program(DRAVIK_NM NAMES ${MINGW_TRIPLE}-nm REQUIRED)
find_program(DRAVIK_DLLTOOL NAMES ${MINGW_TRIPLE}-dlltool REQUIRED)

# dravik_delay_import_libraries(<out var> <name>...): the full paths of the
# delay-import libraries of the DLLs <name>.dll, in the same order.
function(dravik_delay_import_libraries out)
    set(libraries)
    foreach(name ${ARGN})
        set(import_library ${CMAKE_FIND_ROOT_PATH}/lib/lib${name}.a)
        if(NOT EXISTS ${import_library})
            message(FATAL_ERROR "no import library ${import_library} to make a delay-import library of")
        endif()
        set(dir ${CMAKE_BINARY_DIR}/delay-imports)
        set(def ${dir}/${name}.def)
        set(library ${dir}/lib${name}-delay.a)
        # The toolchain's import library changes with the toolchain only.
        set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
            ${import_library})
        if(NOT EXISTS ${library} OR ${import_library} IS_NEWER_THAN ${library})
            execute_process(COMMAND ${DRAVIK_NM} ${import_library}
                OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
            # Every import's address slot is "__imp_<name>" (on i686 with one
            # more underscore, and <name> carries the stdcall "@bytes").
            if(CMAKE_SIZEOF_VOID_P EQUAL 4)
                set(slot "__imp__")
                set(kill_at --kill-at)
            else()
                set(slot "__imp_")
                set(kill_at)
            endif()
            string(REGEX MATCHALL " I ${slot}[^\n]+" slots "${symbols}")
            set(exports)
            foreach(entry ${slots})
                string(REGEX REPLACE "^ I ${slot}" "" function "${entry}")
                list(APPEND exports "${function}")
            endforeach()
            list(REMOVE_DUPLICATES exports)
            list(JOIN exports "\n" export_lines)
            file(WRITE ${def} "LIBRARY ${name}.dll\nEXPORTS\n${export_lines}\n")
            execute_process(COMMAND ${DRAVIK_DLLTOOL} ${kill_at} --input-def ${def}
                --output-delaylib ${library} --dllname ${name}.dll COMMAND_ERROR_IS_FATAL ANY)
        endif()
        list(APPEND libraries ${library})
    endforeach()
    set(${out} ${libraries} PARENT_SCOPE)
endfunction()
