# Windows build: the two plug-in DLLs, the host that plays the core driver,
# the printer family's stand-in libraries and the tests that run under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
if(NOT MSVC)
    # Static runtimes: a DLL must load in the spooler with nothing beside it.
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

add_library(wren_win32 STATIC ${WREN_WIN32_SOURCES})
target_link_libraries(wren_win32 PUBLIC wren_core winspool)
target_include_directories(wren_win32 PUBLIC src src/platform/win32/stubs)

function(wren_plugin name)
    # The plug-in object and its Win32 shells (dialog procedures, views),
    # as src/<name>/CMakeLists.txt lists them.
    string(TOUPPER ${name} upper)
    add_library(wren${name} SHARED ${WREN_${upper}_SHELL_SOURCES} src/${name}/plugin/wren${name}.def ${ARGN})
    set_target_properties(wren${name} PROPERTIES PREFIX "" OUTPUT_NAME wren${name})
    target_link_libraries(wren${name} PRIVATE wren_win32 ole32 uuid)
endfunction()
wren_plugin(ui src/ui/resources/wrenui.rc)
# windres writes no dependency file: name what wrenui.rc includes.
file(GLOB WREN_UI_RC_PARTS CONFIGURE_DEPENDS src/ui/resources/*.h src/ui/resources/*.rci
     src/ui/resources/languages/*.rc src/ui/resources/pictures/*)
set_source_files_properties(src/ui/resources/wrenui.rc PROPERTIES OBJECT_DEPENDS "${WREN_UI_RC_PARTS}")
wren_plugin(ps src/ps/resources/wrenps.rc)
# windres writes no dependency file: name the templates wrenps.rc includes.
file(GLOB WREN_PS_RC_PARTS CONFIGURE_DEPENDS src/ps/resources/*.ps)
set_source_files_properties(src/ps/resources/wrenps.rc PROPERTIES OBJECT_DEPENDS "${WREN_PS_RC_PARTS}")

add_subdirectory(tools/family)
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/host/CMakeLists.txt)
    add_subdirectory(tools/host)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/wine/CMakeLists.txt)
    add_subdirectory(tests/wine)
endif()
add_subdirectory(tests/golden)
add_subdirectory(tests/resources)
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()
