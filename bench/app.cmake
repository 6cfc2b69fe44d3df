# The main window's display tick and telemetry strip.
add_executable(bench_app ${CMAKE_CURRENT_LIST_DIR}/bench_app.cpp)
target_link_libraries(bench_app PRIVATE app_qt benchmark::benchmark kestrel_warnings)
target_compile_definitions(bench_app PRIVATE
  KESTREL_MAKE_RECORDING="$<TARGET_FILE:make-recording>")
