# Warnings are errors in our own code; Qt's headers come in as system headers.
function(quorbel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                         $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
                         -Wnon-virtual-dtor -Wno-missing-field-initializers -Werror)
endfunction()

# One static library per source folder: every .cpp of the folder (not of its subfolders
# unless listed), so adding a class needs no edit here.
function(quorbel_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
    list(APPEND sources ${found})
  endforeach()
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.(cpp|qrc)$")
  if(NOT compiled)
    # A layer whose folder holds no code yet.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  quorbel_warnings(${name})
endfunction()

# A test program per test folder, each test case its own CTest entry so ctest -j runs them
# side by side, each under a temporary home (tests/support/run-in-temp-home). PLATFORM
# replaces the offscreen desktop the tests run on (for example a smaller screen).
function(quorbel_test name)
  cmake_parse_arguments(ARG "" "PLATFORM" "DIRS;DEPS" ${ARGN})
  if(NOT ARG_PLATFORM)
    set(ARG_PLATFORM offscreen)
  endif()
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    list(APPEND sources ${found})
  endforeach()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE quorbel_testsupport ${ARG_DEPS})
  quorbel_warnings(${name})
  # Discovery and every test case run through the emulator.
  set_target_properties(${name} PROPERTIES
    CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/support/run-in-temp-home)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=${ARG_PLATFORM} TIMEOUT 120)
endfunction()
