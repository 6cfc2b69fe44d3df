# Recording library: scanning a large card folder, beside `ls -f` on the same folder.
add_executable(bench_library ${CMAKE_CURRENT_LIST_DIR}/bench_library.cpp)
target_link_libraries(bench_library PRIVATE library_core benchmark::benchmark kestrel_warnings)
