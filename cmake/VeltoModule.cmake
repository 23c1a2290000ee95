# velto_module(<target> <URI> [LIBS ...])
# One subsystem folder = one static library that is also a QML module. Sources (*.h, *.cpp) and QML files
# (*.qml, *.js) anywhere under the folder are picked up; the plugin is imported by the program and tests.
function(velto_module target uri)
    cmake_parse_arguments(M "" "" "LIBS" ${ARGN})
    file(GLOB_RECURSE srcs RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS *.cpp *.h)
    file(GLOB_RECURSE qmls RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS *.qml *.js)
    file(GLOB_RECURSE assets RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
        *.png *.jpg *.svg *.ttf *.otf *.json)
    qt_add_library(${target} STATIC)
    qt_add_qml_module(${target}
        URI ${uri}
        VERSION 1.0
        SOURCES ${srcs}
        QML_FILES ${qmls}
        RESOURCES ${assets}
    )
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${M_LIBS})
    string(REPLACE "." "_" plugin_class "${uri}")
    set_property(GLOBAL APPEND PROPERTY VELTO_QML_PLUGINS ${target}plugin)
    set_property(GLOBAL APPEND PROPERTY VELTO_QML_PLUGIN_CLASSES ${plugin_class}Plugin)
endfunction()
