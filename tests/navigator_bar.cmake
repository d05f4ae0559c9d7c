loader_test(tst_navigator_bar SOURCES tst_navigator_bar.cpp box_answer.h DISPLAY offscreen)
