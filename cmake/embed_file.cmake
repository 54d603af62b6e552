# Turns a file into a C++ source that holds its bytes, so that the file travels inside
# every executable linked with it:
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DNAME=kSymbol -P embed_file.cmake
# The source defines zrv::<NAME>[] and zrv::<NAME>Size.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
get_filename_component(source_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.new"
"// Made from ${source_name} by cmake/embed_file.cmake at build time.
#include <cstddef>

namespace zrv {

extern const unsigned char ${NAME}[] = {
    ${bytes}
};
extern const std::size_t ${NAME}Size = ${size};

}  // namespace zrv
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
