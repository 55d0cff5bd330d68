# vantrel_test(NAME name SOURCES ... LIBS ... LABEL label)
# One test binary per library; every test runs on Qt's offscreen platform
# with no sound device, so CI needs no display, and with user folders of its
# own in the build folder (tests/TestUserFolders.cpp).
function(vantrel_test)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/TestUserFolders.cpp)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE
    VANTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VANTREL_PROGRAM_DIR="${VANTREL_PROGRAM_DIR}"
    VANTREL_TEST_HOME="${CMAKE_BINARY_DIR}/test-home/${T_NAME}")
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${T_LABEL}"
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
