# nlohmann/json for the MinGW build: the host's header-only copy (see host_headers.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
baler_host_headers(nlohmann_json nlohmann_json::nlohmann_json nlohmann/json.hpp nlohmann
  nlohmann-json3-dev)
