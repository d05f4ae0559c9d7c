loader_test(tst_end_to_end SOURCES tst_end_to_end.cpp simulator_process.cpp simulator_process.h)
target_compile_definitions(tst_end_to_end PRIVATE SIMULATOR="$<TARGET_FILE:terminal-simulator>")
add_dependencies(tst_end_to_end terminal-simulator)
