# baler_version_resource(<target> <name> <product> <description>): compiles version information
# (what Explorer shows in a program's properties) into a Windows executable.
include_guard(GLOBAL)

function(baler_version_resource target name product description)
  set(BALER_RC_NAME ${name})
  set(BALER_RC_PRODUCT ${product})
  set(BALER_RC_DESCRIPTION ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# baler_icon_resource(<target> <ico>): compiles the icon file into a Windows executable as its
# only icon, APP_ICON: Explorer shows it for the file, and the main window loads it by that name.
function(baler_icon_resource target ico)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_icon.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "APP_ICON ICON \"${ico}\"\n")
  target_sources(${target} PRIVATE ${rc})
endfunction()
