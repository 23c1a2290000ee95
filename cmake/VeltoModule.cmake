# Sources are globbed, and with Ninja the autogen step (moc) only re-runs when one of the files it already
# knows changes, so a new header would never be moc'd. Record the globbed list in a generated file that the
# directory includes: CMake lists included files among autogen's dependencies, and the file only changes
# when the list does.
function(velto_autogen_follows_sources target)
    get_target_property(srcs ${target} SOURCES)
    set(record ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.cmake)
    file(CONFIGURE OUTPUT ${record} CONTENT "# ${srcs}\n")
    include(${record})
endfunction()

function(velto_module target uri)
    cmake_parse_arguments(M "" "" "LIBS" ${ARGN})
    file(GLOB_RECURSE srcs RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS *.cpp *.h)
    file(GLOB_RECURSE qmls RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS *.qml *.js)
    file(GLOB_RECURSE assets RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
        *.png *.jpg *.svg *.ttf *.otf *.json)
    # Every Velto module this one links to is also a QML dependency, so the tools resolve its types.
    set(deps QtQuick)
    foreach(lib ${M_LIBS})
        get_property(dep_uri GLOBAL PROPERTY VELTO_URI_${lib})
        if(dep_uri)
            list(APPEND deps ${dep_uri})
        endif()
    endforeach()
    set_property(GLOBAL PROPERTY VELTO_URI_${target} ${uri})
    qt_add_library(${target} STATIC)
    qt_add_qml_module(${target}
        URI ${uri}
        VERSION 1.0
        # Our types derive from Qt Quick's and use its value types (color, font), and from the modules below:
        # the tools that read the module's type information (qmllint, the QML compiler) need all of them.
        DEPENDENCIES ${deps}
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
