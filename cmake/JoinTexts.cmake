# cmake -DOUT=<file> -DINPUTS=<a;b;...> -P JoinTexts.cmake
# Joins text files into one, each ending with a line break, and writes the
# result only when it changed.
set(joined "")
foreach(input IN LISTS INPUTS)
  file(READ ${input} text)
  string(APPEND joined "${text}")
  if(NOT text MATCHES "\n$")
    string(APPEND joined "\n")
  endif()
endforeach()
get_filename_component(dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
file(WRITE ${OUT}.tmp "${joined}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
