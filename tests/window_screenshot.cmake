loader_test(tst_window_screenshot SOURCES tst_window_screenshot.cpp recording_steps.h ocr.cpp ocr.h DISPLAY xvfb)
