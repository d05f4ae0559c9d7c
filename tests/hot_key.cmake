loader_test(tst_hot_key SOURCES tst_hot_key.cpp box_answer.h DISPLAY offscreen)
