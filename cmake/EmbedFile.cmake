# Writes a C++ source that holds the bytes of a data file, unchanged, as a
# std::string_view. Run with -DINPUT=<file> -DOUTPUT=<source> -DSYMBOL=<name>.
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE ${OUTPUT}.tmp
  "// Generated from ${INPUT}: do not edit.\n"
  "#include <string_view>\n"
  "namespace { const char kBytes[] = {${bytes}}; }\n"
  "extern const std::string_view ${SYMBOL};\n"
  "const std::string_view ${SYMBOL}(kBytes, sizeof kBytes);\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
