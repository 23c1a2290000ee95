# Sources are globbed, so a new header only shows up in the autogen info when CMake re-runs; with Ninja the
# autogen step does not notice that on its own and skips moc for the new header. Make the info a dependency.
function(velto_autogen_follows_sources target)
    set_property(TARGET ${target} APPEND PROPERTY AUTOGEN_TARGET_DEPENDS
        ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}_autogen.dir/AutogenInfo.json)
endfunction()

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
    velto_autogen_follows_sources(${target})
    string(REPLACE "." "_" plugin_class "${uri}")
    set_property(GLOBAL APPEND PROPERTY VELTO_QML_PLUGINS ${target}plugin)
    set_property(GLOBAL APPEND PROPERTY VELTO_QML_PLUGIN_CLASSES ${plugin_class}Plugin)
endfunction()
