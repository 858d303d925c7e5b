# CLI11 for the MinGW build: the host's header-only copy, reached through a folder that holds
# nothing but its CLI/ headers, so the cross build never sees the rest of the host's /usr/include.
if(TARGET CLI11::CLI11)
  return()
endif()

find_path(BALER_CLI11_HEADERS CLI/CLI.hpp PATHS /usr/include /usr/local/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT BALER_CLI11_HEADERS)
  set(CLI11_FOUND FALSE)
  set(CLI11_NOT_FOUND_MESSAGE "CLI11 headers (CLI/CLI.hpp) not found; install libcli11-dev")
  return()
endif()

set(_baler_cli11_include ${CMAKE_BINARY_DIR}/cli11-include)
file(MAKE_DIRECTORY ${_baler_cli11_include})
if(NOT EXISTS ${_baler_cli11_include}/CLI)
  file(CREATE_LINK ${BALER_CLI11_HEADERS}/CLI ${_baler_cli11_include}/CLI SYMBOLIC)
endif()

add_library(CLI11::CLI11 INTERFACE IMPORTED)
# SYSTEM: the project's warning flags are not the library's to meet.
set_target_properties(CLI11::CLI11 PROPERTIES
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${_baler_cli11_include}
  INTERFACE_INCLUDE_DIRECTORIES ${_baler_cli11_include})
set(CLI11_FOUND TRUE)
