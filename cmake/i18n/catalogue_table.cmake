cmake_minimum_required(VERSION 3.20)
# cmake -DSOURCE_DIR=<tree> -DOUTPUT=<file.cc> -P cmake/i18n/catalogue_table.cmake
#
# Writes the catalogue as C++ (shell/catalogue_table.h): for each language the finished
# translations of translations/baler_<language>.ts, and the texts the sources hold today, so that
# a front end without Qt reads the same catalogue and a test can hold the files to the sources.
include(${CMAKE_CURRENT_LIST_DIR}/texts.cmake)

set(code "// Generated from translations/*.ts by cmake/i18n/catalogue_table.cmake: do not edit.\n")
string(APPEND code "#include \"shell/catalogue_table.h\"\n\nnamespace shell {\nnamespace {\n\n")
set(languages "")
foreach(language IN LISTS BALER_LANGUAGES)
  baler_read_ts("${SOURCE_DIR}/translations/baler_${language}.ts" sources translations finished)
  string(APPEND code "constexpr CatalogueEntry k_${language}[] = {\n")
  set(index 0)
  foreach(source IN LISTS sources)
    baler_list_text(translation "${translations}" ${index})
    list(GET finished ${index} done)
    math(EXPR index "${index} + 1")
    if(NOT done)
      continue()
    endif()
    baler_cxx_literal(source_literal "${source}")
    baler_cxx_literal(translation_literal "${translation}")
    string(APPEND code "    {${source_literal},\n     ${translation_literal}},\n")
  endforeach()
  string(APPEND code "    {u\"\", u\"\"},\n};\n\n")
  string(APPEND languages "    {\"${language}\", k_${language}, std::size(k_${language}) - 1},\n")
endforeach()

baler_scan_texts(texts "${SOURCE_DIR}")
string(APPEND code "constexpr std::u16string_view kSourceTexts[] = {\n")
foreach(text IN LISTS texts)
  baler_cxx_literal(literal "${text}")
  string(APPEND code "    ${literal},\n")
endforeach()
string(APPEND code "};\n\nconstexpr CatalogueLanguage kLanguages[] = {\n${languages}};\n\n")
string(APPEND code "}  // namespace\n\n")
string(APPEND code "std::span<const CatalogueLanguage> CatalogueLanguages() { return kLanguages; }\n\n")
string(APPEND code "std::span<const std::u16string_view> SourceTexts() { return kSourceTexts; }\n\n")
string(APPEND code "}  // namespace shell\n")

file(WRITE "${OUTPUT}" "${code}")
