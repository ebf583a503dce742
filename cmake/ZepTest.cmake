# zep_add_gtest(NAME SOURCES a.cpp ... LIBS lib ... [THREADS] [NO_MAIN])
# One GoogleTest executable whose cases CTest lists one by one. THREADS marks a test of
# threaded code: it also runs in the ThreadSanitizer build (label "threads"). NO_MAIN leaves
# main() to the sources (widget tests create their QApplication there).
add_custom_target(zep_threads_tests)
function(zep_add_gtest name)
  cmake_parse_arguments(ARG "THREADS;NO_MAIN" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock)
  if(ARG_NO_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    ZEP_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ZEP_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(labels ${ARG_LABELS})
  if(ARG_THREADS)
    list(APPEND labels threads)
    add_dependencies(zep_threads_tests ${name})
  endif()
  # An empty LABELS value would vanish from the list and shift the properties after it.
  set(properties TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(labels)
    list(APPEND properties LABELS "${labels}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${properties})
endfunction()
