# cmake -DINPUT=file -DOUTPUT=file.cpp -P embed_picture.cmake
# Writes the bytes of INPUT as the array kPictureIcon of ui/picture_data.h.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# 32 bytes a line, each as 0xNN.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Made from ui/picture.ico by ui/embed_picture.cmake.\n"
  "#include \"ui/picture_data.h\"\n\n"
  "const unsigned char kPictureIcon[${size}] = {\n${bytes}\n};\n"
  "const unsigned kPictureIconSize = ${size};\n")
