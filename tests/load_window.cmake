loader_test(tst_load_window SOURCES tst_load_window.cpp recording_steps.h DISPLAY offscreen)
