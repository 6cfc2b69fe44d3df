# Record list panel: stepping the preview through a folder of 50 recordings
# with the Down key, beside a bare playbin preroll of one of them.
add_executable(bench_panels ${CMAKE_CURRENT_LIST_DIR}/bench_panels.cpp)
target_include_directories(bench_panels PRIVATE ${CMAKE_SOURCE_DIR}/playback/tests)
target_link_libraries(bench_panels PRIVATE library_qt playback_qt controls_qt Qt6::Widgets PkgConfig::GST
                      benchmark::benchmark kestrel_warnings)
target_compile_definitions(bench_panels PRIVATE KESTREL_MAKE_RECORDING="$<TARGET_FILE:make-recording>")
add_dependencies(bench_panels make-recording)
