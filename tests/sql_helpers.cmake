loader_test(tst_sql_helpers SOURCES tst_sql_helpers.cpp)
