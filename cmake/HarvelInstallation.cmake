# Lays out the installation folders beside bin/. The data folder gets the
# thirteen empty tables the first time only; an existing data folder is never
# touched. Templates are copied when the template folder lacks them, so a
# user's edited template survives a rebuild.
file(MAKE_DIRECTORY ${HARVEL_ROOT}/Predlohy ${HARVEL_ROOT}/OTHER ${HARVEL_ROOT}/HELP)
file(GLOB harvel_templates CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/templates/*.pts)
file(GLOB harvel_other CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/templates/other/*)
file(GLOB harvel_help CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
# Lists travel to the script with "|" between their items.
string(REPLACE ";" "|" harvel_templates "${harvel_templates}")
string(REPLACE ";" "|" harvel_other "${harvel_other}")
string(REPLACE ";" "|" harvel_help "${harvel_help}")
if(TARGET harvel-data)
    add_custom_target(harvel_installation ALL
        COMMAND ${CMAKE_COMMAND} -DDATA_TOOL=$<TARGET_FILE:harvel-data>
            -DROOT=${HARVEL_ROOT} "-DTEMPLATES=${harvel_templates}" "-DOTHER=${harvel_other}" "-DHELP=${harvel_help}"
            -P ${CMAKE_SOURCE_DIR}/cmake/LayOutInstallation.cmake
        DEPENDS harvel-data ${CMAKE_SOURCE_DIR}/cmake/LayOutInstallation.cmake
        VERBATIM
        COMMENT "Laying out the installation folders in ${HARVEL_ROOT}"
        VERBATIM)
endif()
