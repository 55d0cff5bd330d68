# cmake -DOUT=file.cpp -DHEADER=include/path.h -DNAMES=a,b -DFILES=x,y -P EmbedFiles.cmake
# Writes each file's bytes as a constant array NAME with NAMESize beside it,
# so that binary data lives in the tree as itself and not as source text.
set(text "// Made at build time from the files named below.\n#include \"${HEADER}\"\n\nnamespace vantrel {\n")
string(REPLACE "," ";" NAMES "${NAMES}")
string(REPLACE "," ";" FILES "${FILES}")
list(LENGTH NAMES count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET NAMES ${i} name)
  list(GET FILES ${i} file)
  get_filename_component(file_name "${file}" NAME)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes_text "${hex}")
  string(APPEND text "\n// ${file_name}\nconst std::uint8_t ${name}[${bytes}] = {${bytes_text}};\n"
                     "const std::size_t ${name}Size = sizeof ${name};\n")
endforeach()
string(APPEND text "\n}  // namespace vantrel\n")
file(WRITE "${OUT}.tmp" "${text}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
