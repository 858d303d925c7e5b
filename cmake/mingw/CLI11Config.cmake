# CLI11 for the MinGW build: the host's header-only copy (see host_headers.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
baler_host_headers(CLI11 CLI11::CLI11 CLI/CLI.hpp CLI libcli11-dev)
