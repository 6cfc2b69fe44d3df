# Continuous play on the main window: the frozen picture at each hand-over to
# the next recording, beside Next with nothing prepared.
add_executable(bench_drive ${CMAKE_CURRENT_LIST_DIR}/bench_drive.cpp)
target_include_directories(bench_drive PRIVATE ${CMAKE_SOURCE_DIR}/playback/tests)
target_link_libraries(bench_drive PRIVATE app_qt PkgConfig::GST benchmark::benchmark kestrel_warnings)
target_compile_definitions(bench_drive PRIVATE
  KESTREL_MAKE_RECORDING="$<TARGET_FILE:make-recording>"
  KESTREL_PAGE_DIR="${KESTREL_PROGRAM_DIR}")
add_dependencies(bench_drive make-recording)
