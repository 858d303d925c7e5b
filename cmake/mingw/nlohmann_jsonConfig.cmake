# nlohmann/json for the MinGW build: the host's header-only copy, reached through a folder that
# holds nothing but its nlohmann/ headers, so the cross build never sees the rest of the host's
# /usr/include.
if(TARGET nlohmann_json::nlohmann_json)
  return()
endif()

find_path(BALER_NLOHMANN_JSON_HEADERS nlohmann/json.hpp PATHS /usr/include /usr/local/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT BALER_NLOHMANN_JSON_HEADERS)
  set(nlohmann_json_FOUND FALSE)
  set(nlohmann_json_NOT_FOUND_MESSAGE
    "nlohmann/json headers (nlohmann/json.hpp) not found; install nlohmann-json3-dev")
  return()
endif()

set(_baler_json_include ${CMAKE_BINARY_DIR}/nlohmann-json-include)
file(MAKE_DIRECTORY ${_baler_json_include})
if(NOT EXISTS ${_baler_json_include}/nlohmann)
  file(CREATE_LINK ${BALER_NLOHMANN_JSON_HEADERS}/nlohmann ${_baler_json_include}/nlohmann
    SYMBOLIC)
endif()

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
# SYSTEM: the project's warning flags are not the library's to meet.
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${_baler_json_include}
  INTERFACE_INCLUDE_DIRECTORIES ${_baler_json_include})
set(nlohmann_json_FOUND TRUE)
