# Fails when a file includes a header of a layer above its own. Run by the build (target
# check_layers) with -DROOT=<source dir> -DSTAMP=<file> -DWIDGET_HEADERS=<file> and
# -DGUI_HEADERS=<file>, the last two listing the header names of Qt Widgets and Print
# Support, and of Qt Gui.
#
#   core/   widget-free: no gui/, print/ or tools/ header, no Qt Gui, Widgets or Print Support
#   print/  the printed report: core and Qt Gui only
#   tools/  karvo-cli and karvo-unit: core and print/, never gui/ or Qt Widgets
cmake_minimum_required(VERSION 3.21)
file(STRINGS ${WIDGET_HEADERS} widget_headers)
file(STRINGS ${GUI_HEADERS} gui_headers)

set(faults "")
function(check_layer layer forbidden_paths forbidden_qt)
    file(GLOB_RECURSE files ${ROOT}/${layer}/*.cpp ${ROOT}/${layer}/*.h)
    foreach(file ${files})
        file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line ${includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" name
                   "${line}")
            get_filename_component(base ${name} NAME)
            foreach(path ${forbidden_paths})
                if(name MATCHES "^${path}/")
                    list(APPEND faults "${file}: ${name}")
                endif()
            endforeach()
            if(NOT name MATCHES "^(core|print|gui|tools|res)/" AND base IN_LIST forbidden_qt)
                list(APPEND faults "${file}: <${name}>")
            endif()
        endforeach()
    endforeach()
    set(faults ${faults} PARENT_SCOPE)
endfunction()

check_layer(core "gui;print;tools" "${widget_headers};${gui_headers}")
set(core_faults ${faults})
set(faults "")
check_layer(print "gui;tools" "${widget_headers}")
set(print_faults ${faults})
set(faults "")
check_layer(tools "gui" "${widget_headers}")
set(faults ${core_faults} ${print_faults} ${faults})
if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "A layer includes a header of a layer above it:\n  ${text}")
endif()
file(TOUCH ${STAMP})
