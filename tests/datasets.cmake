loader_test(tst_datasets SOURCES tst_datasets.cpp)
# A zone with daylight-saving changes: wall-clock readings must come through unshifted.
set_tests_properties(tst_datasets PROPERTIES ENVIRONMENT "DISPLAY=;WAYLAND_DISPLAY=;TZ=Europe/Berlin")
