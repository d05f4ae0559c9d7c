loader_test(tst_terminal_client SOURCES tst_terminal_client.cpp simulator_process.cpp
            simulator_process.h terminal_test_images.h)
target_compile_definitions(tst_terminal_client PRIVATE
    SIMULATOR="$<TARGET_FILE:terminal-simulator>")
add_dependencies(tst_terminal_client terminal-simulator)
