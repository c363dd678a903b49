# Third-party libraries, installed outside the repository:
#  - natively from Debian's -dev packages,
#  - for Windows from the cache that scripts/build-win-deps.sh fills (DRAVIK_WIN_DEPS).
add_library(dravik_deps INTERFACE)
if(WIN32)
    set(DRAVIK_WIN_DEPS "" CACHE PATH "Prefix of libcurl and pugixml built for this Windows toolchain")
    if(DRAVIK_WIN_DEPS)
        target_include_directories(dravik_deps INTERFACE ${DRAVIK_WIN_DEPS}/include)
        target_link_directories(dravik_deps INTERFACE ${DRAVIK_WIN_DEPS}/lib)
        target_compile_definitions(dravik_deps INTERFACE CURL_STATICLIB DRAVIK_HAVE_DEPS=1)
        target_link_libraries(dravik_deps INTERFACE pugixml curl bcrypt crypt32 secur32 ws2_32 wldap32 advapi32 normaliz)
    endif()
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
    find_package(pugixml REQUIRED)
    target_link_libraries(dravik_deps INTERFACE PkgConfig::CURL pugixml::pugixml)
    target_compile_definitions(dravik_deps INTERFACE DRAVIK_HAVE_DEPS=1)
endif()
