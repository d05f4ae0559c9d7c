loader_test(tst_scramble_password_tool SOURCES tst_scramble_password_tool.cpp)
target_link_libraries(tst_scramble_password_tool PRIVATE loader_db)
target_compile_definitions(tst_scramble_password_tool PRIVATE
    SCRAMBLE_TOOL="$<TARGET_FILE:scramble-password>")
add_dependencies(tst_scramble_password_tool scramble-password)
