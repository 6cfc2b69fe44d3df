# Map: the route of a full 10,000-record log (read, extract, script text), and
# the routes of 100 neighbour recordings read by the route loader, cold and
# with its cache, beside reading the same logs alone.
add_executable(bench_map ${CMAKE_CURRENT_LIST_DIR}/bench_map.cpp)
target_link_libraries(bench_map PRIVATE map_core telemetry_core benchmark::benchmark kestrel_warnings)
