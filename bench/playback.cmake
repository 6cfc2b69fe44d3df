# Playback: time from opening a 640x480 recording to its first painted frame,
# beside a bare playbin preroll of the same file; and a windowed player for the
# CPU comparison of bench/cpu-playback.sh.
add_executable(bench_playback ${CMAKE_CURRENT_LIST_DIR}/bench_playback.cpp)
target_link_libraries(bench_playback PRIVATE playback_qt Qt6::Widgets PkgConfig::GST benchmark::benchmark kestrel_warnings)
target_compile_definitions(bench_playback PRIVATE KESTREL_MAKE_RECORDING="$<TARGET_FILE:make-recording>")
add_dependencies(bench_playback make-recording)

add_executable(bench_playback_window ${CMAKE_CURRENT_LIST_DIR}/bench_playback_window.cpp)
target_link_libraries(bench_playback_window PRIVATE playback_qt Qt6::Widgets kestrel_warnings)
