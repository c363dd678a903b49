# Third-party libraries, installed outside the repository:
#  - natively from Debian's -dev packages,
#  - for Windows from the cache that scripts/build-win-deps.sh fills (DRAVIK_WIN_DEPS).
add_library(dravik_deps INTERFACE)
if(WIN32)
    set(DRAVIK_WIN_DEPS "" CACHE PATH "Prefix of libcurl and pugixml built for this Windows toolchain")
    if(DRAVIK_WIN_DEPS)
        # Release builds of both, static: libcurl.a and libpugixml.a. Named by full
        # path so a stray library of the same name elsewhere can never be picked.
        foreach(archive libpugixml.a libcurl.a)
            if(NOT EXISTS ${DRAVIK_WIN_DEPS}/lib/${archive})
                message(FATAL_ERROR "DRAVIK_WIN_DEPS=${DRAVIK_WIN_DEPS} has no lib/${archive}: "
                    "run scripts/build-win-deps.sh ${CMAKE_SYSTEM_PROCESSOR} and pass the prefix it prints")
            endif()
        endforeach()
        target_include_directories(dravik_deps SYSTEM INTERFACE ${DRAVIK_WIN_DEPS}/include)
        target_compile_definitions(dravik_deps INTERFACE CURL_STATICLIB DRAVIK_HAVE_DEPS=1)
        # curl is HTTP only with Schannel: sockets, the certificate store and
        # crypto; no LDAP (wldap32) and no IDN (normaliz). Its DLLs load with
        # the first request (src/online/win/HttpClient.cpp names them), not
        # with the program; curl loads secur32 itself when it needs it.
        include(${CMAKE_SOURCE_DIR}/cmake/DelayImports.cmake)
        dravik_delay_import_libraries(curl_system_libraries ws2_32 crypt32 bcrypt)
        target_link_libraries(dravik_deps INTERFACE
            ${DRAVIK_WIN_DEPS}/lib/libpugixml.a ${DRAVIK_WIN_DEPS}/lib/libcurl.a
            ${curl_system_libraries} secur32 advapi32)
    endif()
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
    find_package(pugixml REQUIRED)
    target_link_libraries(dravik_deps INTERFACE PkgConfig::CURL pugixml::pugixml)
    target_compile_definitions(dravik_deps INTERFACE DRAVIK_HAVE_DEPS=1)
endif()
