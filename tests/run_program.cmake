loader_test(tst_run_program SOURCES tst_run_program.cpp)
