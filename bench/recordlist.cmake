# Record list panel with a card of 5,000 recordings: listing time, and how soon
# the Event column is filled in the background.
add_executable(bench_record_list ${CMAKE_CURRENT_LIST_DIR}/bench_record_list.cpp)
target_link_libraries(bench_record_list PRIVATE library_qt library_core telemetry_core Qt6::Widgets
                      benchmark::benchmark kestrel_warnings)
