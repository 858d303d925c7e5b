# The version the programs report. project(VERSION) is its one source; a build from a git
# checkout that is not exactly on a release tag (vMAJOR.MINOR.PATCH) adds what `git describe`
# says past the tag: "1.1.0-12-gabc1234" is 12 commits after the tag, at commit abc1234. With no
# release tag in the history yet, the commits are counted from the first one. A tree without git
# (a release tarball, a `git archive` export) keeps the plain version, unless its builder hands
# over the checkout's describe result in BALER_GIT_DESCRIBE, as scripts/release.sh does.
#
# Also runs as a script, printing what git says of the checkout at SOURCE_DIR (empty when it is
# none), or with PLAIN given, the version a build of it reports:
#   cmake -DSOURCE_DIR=. [-DPLAIN=1.1.0] -P cmake/version.cmake
include_guard(GLOBAL)

# baler_git_describe(<source_dir> <out>): "vX.Y.Z-N-gHASH" or "-N-gHASH" (no tag yet), or empty
# when <source_dir> is no git checkout.
function(baler_git_describe source_dir out)
  set(${out} "" PARENT_SCOPE)
  find_program(BALER_GIT git)
  if(NOT BALER_GIT OR NOT EXISTS ${source_dir}/.git)
    return()
  endif()
  execute_process(COMMAND ${BALER_GIT} describe --tags --long --abbrev=7 --match "v[0-9]*"
                  WORKING_DIRECTORY ${source_dir} RESULT_VARIABLE failed
                  OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(failed)
    # No release tag yet: as if the first commit were one.
    execute_process(COMMAND ${BALER_GIT} rev-list --count HEAD
                    WORKING_DIRECTORY ${source_dir} RESULT_VARIABLE failed
                    OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${BALER_GIT} rev-parse --short=7 HEAD
                    WORKING_DIRECTORY ${source_dir} OUTPUT_VARIABLE hash
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(failed OR hash STREQUAL "")
      return()
    endif()
    math(EXPR count "${count} - 1")
    set(described "-${count}-g${hash}")
  endif()
  set(${out} ${described} PARENT_SCOPE)
  # A new commit or checkout writes to HEAD's log: the next build configures again.
  execute_process(COMMAND ${BALER_GIT} rev-parse --absolute-git-dir
                  WORKING_DIRECTORY ${source_dir} OUTPUT_VARIABLE git_dir
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT CMAKE_SCRIPT_MODE_FILE AND EXISTS ${git_dir}/logs/HEAD)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${git_dir}/logs/HEAD)
  endif()
endfunction()

# baler_full_version(<plain> <described> <out> <commits_out>): <plain> with the "-N-gHASH" of
# <described> when N is not 0; <commits_out> is N (0 on a tag or without git).
function(baler_full_version plain described out commits_out)
  set(${out} ${plain} PARENT_SCOPE)
  set(${commits_out} 0 PARENT_SCOPE)
  if(described MATCHES "-([0-9]+)-g([0-9a-f]+)$" AND NOT CMAKE_MATCH_1 EQUAL 0)
    set(${out} "${plain}-${CMAKE_MATCH_1}-g${CMAKE_MATCH_2}" PARENT_SCOPE)
    set(${commits_out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  baler_git_describe(${SOURCE_DIR} described)
  if(DEFINED PLAIN)
    baler_full_version(${PLAIN} "${described}" described commits)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${described}")
  return()
endif()

set(BALER_GIT_DESCRIBE "" CACHE STRING
    "What `git describe --long` says of the source, for a build of a tree exported without git")
if(BALER_GIT_DESCRIBE STREQUAL "")
  baler_git_describe(${PROJECT_SOURCE_DIR} _baler_described)
else()
  set(_baler_described ${BALER_GIT_DESCRIBE})
endif()
baler_full_version(${PROJECT_VERSION} "${_baler_described}" BALER_VERSION BALER_VERSION_COMMITS)
message(STATUS "baler version ${BALER_VERSION}")

# ${PROJECT_BINARY_DIR}/generated/baler_version.h, rewritten only when the version changes, so
# that a new commit rebuilds only what prints the version.
add_library(baler_version INTERFACE)
target_include_directories(baler_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/baler_version.h CONTENT [[
// Made by cmake/version.cmake.
#pragma once

namespace baler {
inline constexpr char kVersion[] = "@BALER_VERSION@";
}  // namespace baler
]] @ONLY)
