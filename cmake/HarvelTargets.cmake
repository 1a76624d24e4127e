# harvel_folder_library(<name> <folder> [EXCLUDE files...] PUBLIC libs...)
# One static library of the .cpp files directly in <folder>. A folder with no
# sources yet becomes an interface library carrying only its links, so the
# targets above it can be declared before every area exists.
function(harvel_folder_library name folder)
    cmake_parse_arguments(ARG "" "" "EXCLUDE;PUBLIC" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    foreach(excluded ${ARG_EXCLUDE})
        list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${folder}/${excluded})
    endforeach()
    if(sources)
        add_library(${name} STATIC ${sources} ${headers})
        target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARG_PUBLIC})
        target_compile_definitions(${name} PUBLIC
            HARVEL_VERSION_TEXT="${PROJECT_VERSION}.0")
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_PUBLIC})
    endif()
endfunction()

# harvel_program(<name> <folder> libs...): one program from the .cpp files of a folder.
function(harvel_program name folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    if(sources)
        add_executable(${name} ${sources})
        target_link_libraries(${name} PRIVATE ${ARGN} harvel_allocator)
    endif()
endfunction()
