# The programs allocate through tcmalloc (Debian's libgoogle-perftools-dev):
# a report run builds and frees millions of small objects, from the run's
# thread and the page store's, and glibc's allocator spends a fifth of a long
# run on them and makes two threads that free each other's blocks wait for
# one lock. Sanitizer and fuzz builds keep their own allocator.
add_library(harvel_allocator INTERFACE)
if(NOT HARVEL_SANITIZE AND NOT HARVEL_FUZZ)
    pkg_check_modules(TCMALLOC IMPORTED_TARGET libtcmalloc_minimal)
    if(TCMALLOC_FOUND)
        # Bound even where the linker drops libraries nothing names directly.
        target_link_libraries(harvel_allocator INTERFACE
            "-Wl,--push-state,--no-as-needed" PkgConfig::TCMALLOC "-Wl,--pop-state")
    else()
        message(WARNING "libtcmalloc_minimal not found: the programs use the C library's allocator")
    endif()
endif()
