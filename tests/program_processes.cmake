loader_test(tst_program_processes SOURCES tst_program_processes.cpp x11_probe.h x11_probe.cpp ocr.cpp ocr.h
            DISPLAY xvfb)
target_link_libraries(tst_program_processes PRIVATE X11::X11)
