# skerrow_embed_files(OUTPUT FUNCTION GLOBS...): writes a C++ source defining
# `const std::vector<skerrow::cli::EmbeddedFile>& FUNCTION()` with the bytes of
# every file the globs find, in name order. Runs at configure time; the files
# are configure dependencies, so editing one regenerates the source.
function(skerrow_embed_files output function)
  set(files)
  foreach(pattern ${ARGN})
    file(GLOB found ${CMAKE_SOURCE_DIR}/${pattern})
    list(APPEND files ${found})
  endforeach()
  list(SORT files)
  set(arrays "")
  set(entries "")
  set(index 0)
  foreach(path ${files})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    file(READ ${path} hex HEX)
    string(LENGTH "${hex}" hexLength)
    math(EXPR size "${hexLength} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    get_filename_component(name ${path} NAME)
    string(APPEND arrays "const char k${function}${index}[] = {${bytes} 0};\n")
    string(APPEND entries "      {\"${name}\", std::string_view(k${function}${index}, ${size})},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  file(WRITE ${output}.tmp
    "// Generated from the project's sample files; do not edit.\n"
    "#include \"cli/EmbeddedFile.h\"\n\nnamespace skerrow::cli {\nnamespace {\n"
    "${arrays}}  // namespace\n\n"
    "const std::vector<EmbeddedFile>& ${function}() {\n"
    "  static const std::vector<EmbeddedFile> files = {\n${entries}  };\n"
    "  return files;\n}\n\n}  // namespace skerrow::cli\n")
  file(COPY_FILE ${output}.tmp ${output} ONLY_IF_DIFFERENT)
endfunction()
