# harvel_expose_headers(<name> <folder> headers...): the library's include path is
# <build>/exposed/<name>/, which holds links to its own headers under their
# source paths (<folder>/x.h). A file therefore reaches only the headers of its
# own library and of the libraries it links: including a header of a library
# it does not link fails to compile instead of working by accident.
function(harvel_expose_headers name folder)
    set(root ${CMAKE_BINARY_DIR}/exposed/${name})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header ${ARGN})
        get_filename_component(file_name ${header} NAME)
        file(CREATE_LINK ${header} ${root}/${folder}/${file_name} SYMBOLIC)
    endforeach()
    set(harvel_exposed_root ${root} PARENT_SCOPE)
endfunction()

# harvel_folder_library(<name> <folder> [ONLY files...] [EXCLUDE files...] PUBLIC libs...)
# One static library of the .cpp files directly in <folder> (or of the files
# ONLY names, when it is given). A folder with no sources yet becomes an
# interface library carrying only its links, so the targets above it can be
# declared before every area exists.
function(harvel_folder_library name folder)
    cmake_parse_arguments(ARG "" "" "ONLY;EXCLUDE;PUBLIC" ${ARGN})
    if(ARG_ONLY)
        set(sources "")
        set(headers "")
        foreach(file ${ARG_ONLY})
            if(file MATCHES "[.]cpp$")
                list(APPEND sources ${CMAKE_SOURCE_DIR}/${folder}/${file})
            else()
                list(APPEND headers ${CMAKE_SOURCE_DIR}/${folder}/${file})
            endif()
        endforeach()
    else()
        file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
        file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    endif()
    foreach(excluded ${ARG_EXCLUDE})
        list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${folder}/${excluded})
        list(REMOVE_ITEM headers ${CMAKE_SOURCE_DIR}/${folder}/${excluded})
    endforeach()
    harvel_expose_headers(${name} ${folder} ${headers})
    if(sources)
        add_library(${name} STATIC ${sources} ${headers})
        target_include_directories(${name} PUBLIC ${harvel_exposed_root})
        target_link_libraries(${name} PUBLIC ${ARG_PUBLIC})
        target_compile_definitions(${name} PUBLIC
            HARVEL_VERSION_TEXT="${PROJECT_VERSION}.0")
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${harvel_exposed_root})
        target_link_libraries(${name} INTERFACE ${ARG_PUBLIC})
    endif()
endfunction()

# harvel_program(<name> <folder> libs...): one program from the .cpp files of a folder.
function(harvel_program name folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    if(sources)
        add_executable(${name} ${sources})
        # A program's own headers sit beside its sources and are included by
        # file name; the libraries' headers come through the libraries.
        target_link_libraries(${name} PRIVATE ${ARGN} harvel_allocator)
    endif()
endfunction()
