loader_test(tst_download_run SOURCES tst_download_run.cpp DISPLAY offscreen)
