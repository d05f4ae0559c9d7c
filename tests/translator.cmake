loader_test(tst_translator SOURCES tst_translator.cpp DISPLAY offscreen)
