cmake_minimum_required(VERSION 3.20)
# cmake -DSOURCE_DIR=<tree> -P cmake/i18n/update_translations.cmake
#
# Brings translations/baler_<language>.ts up to the texts in the sources: every text once, in the
# order the sources hold them; a translation already made is kept; a new text comes in with an
# unfinished, empty translation; a text no longer in the sources is dropped. Prints what changed.
include(${CMAKE_CURRENT_LIST_DIR}/texts.cmake)

if(NOT SOURCE_DIR)
  get_filename_component(SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
endif()
baler_scan_texts(texts "${SOURCE_DIR}")
list(LENGTH texts count)
message(STATUS "${count} texts in the sources")

foreach(language IN LISTS BALER_LANGUAGES)
  set(ts "${SOURCE_DIR}/translations/baler_${language}.ts")
  baler_read_ts("${ts}" sources translations finished)
  set(body "")
  set(added 0)
  set(kept 0)
  foreach(text IN LISTS texts)
    list(FIND sources "${text}" at)
    baler_text_plain(plain "${text}")
    baler_xml_escape(source "${plain}")
    set(translation "")
    set(type " type=\"unfinished\"")
    if(at GREATER_EQUAL 0)
      baler_list_text(translation "${translations}" ${at})
      list(GET finished ${at} done)
      if(done)
        set(type "")
      endif()
      math(EXPR kept "${kept} + 1")
    else()
      math(EXPR added "${added} + 1")
    endif()
    baler_text_plain(translation "${translation}")
    baler_xml_escape(translation "${translation}")
    string(APPEND body "    <message>\n        <source>${source}</source>\n"
                       "        <translation${type}>${translation}</translation>\n    </message>\n")
  endforeach()
  list(LENGTH sources before)
  math(EXPR dropped "${before} - ${kept}")
  file(WRITE "${ts}"
       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
       "<TS version=\"2.1\" language=\"${language}\" sourcelanguage=\"en\">\n<context>\n"
       "    <name>${BALER_TEXT_CONTEXT}</name>\n${body}</context>\n</TS>\n")
  message(STATUS "baler_${language}.ts: ${added} new, ${dropped} dropped")
endforeach()
