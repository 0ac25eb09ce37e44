# Tests that need their own sources or link set-up.

# End-to-end: the real program under Xvfb, driven by xdotool, checked by screenshots.
add_executable(play_e2e_test e2e/play_test.cpp e2e/harness.cpp)
target_compile_definitions(play_e2e_test PRIVATE ZAF_BINARY="$<TARGET_FILE:zaf>")
target_link_libraries(play_e2e_test PRIVATE zaftestenv GTest::gtest GTest::gtest_main)
add_dependencies(play_e2e_test zaf)
gtest_discover_tests(play_e2e_test PROPERTIES LABELS e2e
                     RUN_SERIAL TRUE DISCOVERY_TIMEOUT 60)

add_executable(startup_e2e_test e2e/startup_test.cpp e2e/harness.cpp)
target_compile_definitions(startup_e2e_test PRIVATE ZAF_BINARY="$<TARGET_FILE:zaf>")
target_link_libraries(startup_e2e_test PRIVATE zaftestenv GTest::gtest GTest::gtest_main)
add_dependencies(startup_e2e_test zaf)
gtest_discover_tests(startup_e2e_test PROPERTIES LABELS e2e
                     DISCOVERY_TIMEOUT 60)

# Demos: golden replays headless, and a recorded game replayed to the same pictures.
add_executable(replay_e2e_test e2e/replay_test.cpp e2e/harness.cpp)
target_compile_definitions(replay_e2e_test PRIVATE ZAF_BINARY="$<TARGET_FILE:zaf>")
target_link_libraries(replay_e2e_test PRIVATE zaftestenv GTest::gtest GTest::gtest_main)
add_dependencies(replay_e2e_test zaf)
gtest_discover_tests(replay_e2e_test PROPERTIES LABELS e2e RUN_SERIAL TRUE DISCOVERY_TIMEOUT 60)
