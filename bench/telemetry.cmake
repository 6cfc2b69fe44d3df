# Telemetry: reading a full 10,000-record log, beside `wc -l` and a plain
# fscanf reader on the same file.
add_executable(bench_telemetry ${CMAKE_CURRENT_LIST_DIR}/bench_telemetry.cpp)
target_include_directories(bench_telemetry PRIVATE ${PROJECT_SOURCE_DIR}/telemetry/tests)
target_link_libraries(bench_telemetry PRIVATE telemetry_core benchmark::benchmark kestrel_warnings)
