# Lists the header names of the Qt modules a layer must not use and adds the target
# check_layers, built with everything, which runs cmake/CheckLayers.cmake whenever a source
# of core/, print/ or tools/ changes.
function(karvo_qt_header_names out)
    set(names "")
    foreach(module ${ARGN})
        if(NOT TARGET Qt6::${module})
            continue()
        endif()
        get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
        foreach(dir ${dirs})
            if(dir MATCHES "/Qt${module}$" AND IS_DIRECTORY ${dir})
                file(GLOB headers RELATIVE ${dir} ${dir}/*)
                list(APPEND names ${headers})
            endif()
        endforeach()
    endforeach()
    list(JOIN names "\n" text)
    file(WRITE ${out} "${text}\n")
endfunction()

set(KARVO_WIDGET_HEADERS ${CMAKE_BINARY_DIR}/layers/widget-headers.txt)
set(KARVO_GUI_HEADERS ${CMAKE_BINARY_DIR}/layers/gui-headers.txt)
karvo_qt_header_names(${KARVO_WIDGET_HEADERS} Widgets PrintSupport)
karvo_qt_header_names(${KARVO_GUI_HEADERS} Gui)

file(GLOB_RECURSE KARVO_LAYERED_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/core/*.cpp ${CMAKE_SOURCE_DIR}/core/*.h
     ${CMAKE_SOURCE_DIR}/print/*.cpp ${CMAKE_SOURCE_DIR}/print/*.h
     ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h)
set(KARVO_LAYERS_STAMP ${CMAKE_BINARY_DIR}/layers/checked.stamp)
add_custom_command(
    OUTPUT ${KARVO_LAYERS_STAMP}
    COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DSTAMP=${KARVO_LAYERS_STAMP}
            -DWIDGET_HEADERS=${KARVO_WIDGET_HEADERS} -DGUI_HEADERS=${KARVO_GUI_HEADERS}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
    DEPENDS ${KARVO_LAYERED_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking that no layer includes from a layer above it"
    VERBATIM)
add_custom_target(check_layers ALL DEPENDS ${KARVO_LAYERS_STAMP})
# The libraries are built only once their sources have passed the check.
add_dependencies(karvo_core check_layers)
