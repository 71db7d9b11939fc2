# Writes the bytes of INPUT as the C++ array NAME into OUTPUT.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}"
  "#include \"report/embedded_template.h\"\n"
  "namespace tarvel::scrivet {\n"
  "const unsigned char ${NAME}[] = {${bytes}};\n"
  "const std::size_t ${NAME}Size = sizeof ${NAME};\n"
  "} // namespace tarvel::scrivet\n")
