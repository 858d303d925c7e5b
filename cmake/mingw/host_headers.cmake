# For the MinGW build: a header-only library of the host, reached through a folder that holds
# nothing but its own headers, so the cross build never sees the rest of the host's /usr/include.
#
# baler_host_headers(PACKAGE TARGET HEADER SUBDIR DEBIAN_PACKAGE)
#   Finds HEADER (under SUBDIR/) in /usr/include or /usr/local/include, makes the imported
#   header-only TARGET from SUBDIR alone and sets PACKAGE_FOUND for find_package; where the
#   header is missing, PACKAGE_NOT_FOUND_MESSAGE names DEBIAN_PACKAGE.
macro(baler_host_headers package target header subdir debian_package)
  find_path(BALER_${package}_HEADERS ${header} PATHS /usr/include /usr/local/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(TARGET ${target})
    set(${package}_FOUND TRUE)
  elseif(NOT BALER_${package}_HEADERS)
    set(${package}_FOUND FALSE)
    set(${package}_NOT_FOUND_MESSAGE "${header} not found; install ${debian_package}")
  else()
    set(_baler_include ${CMAKE_BINARY_DIR}/${package}-include)
    file(MAKE_DIRECTORY ${_baler_include})
    if(NOT EXISTS ${_baler_include}/${subdir})
      file(CREATE_LINK ${BALER_${package}_HEADERS}/${subdir} ${_baler_include}/${subdir} SYMBOLIC)
    endif()
    add_library(${target} INTERFACE IMPORTED)
    # SYSTEM: the project's warning flags are not the library's to meet.
    set_target_properties(${target} PROPERTIES
      INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${_baler_include}
      INTERFACE_INCLUDE_DIRECTORIES ${_baler_include})
    set(${package}_FOUND TRUE)
  endif()
endmacro()
