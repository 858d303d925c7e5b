# GoogleTest for the MinGW build, compiled from Debian's source package (googletest) as part of
# the build, since the host's libraries are Linux ones. Provides the usual GTest::gtest,
# GTest::gtest_main, GTest::gmock and GTest::gmock_main targets.
if(TARGET GTest::gtest)
  set(GTest_FOUND TRUE)
  set(GTEST_FOUND TRUE)
  return()
endif()

set(BALER_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the MinGW build")
if(NOT EXISTS ${BALER_GOOGLETEST_SOURCE}/CMakeLists.txt)
  set(GTest_FOUND FALSE)
  set(GTEST_FOUND FALSE)
  if(GTest_FIND_REQUIRED)
    message(FATAL_ERROR "GoogleTest sources not found in ${BALER_GOOGLETEST_SOURCE}; "
                        "install the googletest package")
  endif()
  return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${BALER_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main gmock gmock_main)
  # The project's -Werror is for the project's code.
  target_compile_options(${target} PRIVATE -Wno-error)
  get_target_property(_baler_gtest_includes ${target} INTERFACE_INCLUDE_DIRECTORIES)
  set_target_properties(${target} PROPERTIES
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${_baler_gtest_includes}")
endforeach()
set(GTest_FOUND TRUE)
set(GTEST_FOUND TRUE)
