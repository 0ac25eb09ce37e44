# Tests that need their own sources or link set-up.

# End-to-end: the real program under Xvfb, driven by xdotool, checked by screenshots.
add_executable(play_e2e_test e2e/play_test.cpp e2e/harness.cpp)
target_compile_definitions(play_e2e_test PRIVATE ZAF_BINARY="$<TARGET_FILE:zaf>")
target_link_libraries(play_e2e_test PRIVATE GTest::gtest GTest::gtest_main)
add_dependencies(play_e2e_test zaf)
gtest_discover_tests(play_e2e_test PROPERTIES ENVIRONMENT "${ZAF_TEST_ENV_E2E}" LABELS e2e
                     RUN_SERIAL TRUE DISCOVERY_TIMEOUT 60)
