# Turning a built file into a ByteBlob linked into another target.
#
#   prepkit_blob(LIBRARY lib SYMBOL name FILE path [DEPENDS target])
# makes the static library `lib` that defines `extern const ByteBlob name;`
# (declare it where it is used). The build fails when the file is missing.
function(prepkit_blob)
  cmake_parse_arguments(B "" "LIBRARY;SYMBOL;FILE" "DEPENDS" ${ARGN})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${B_SYMBOL}_blob.cpp)
  add_custom_command(
    OUTPUT ${source}
    COMMAND python3 ${PREPKIT_ROOT}/cmake/make_blob.py ${B_FILE} ${B_SYMBOL} ${source}
    DEPENDS ${B_FILE} ${B_DEPENDS} ${PREPKIT_ROOT}/cmake/make_blob.py
    COMMENT "Embedding ${B_FILE} as ${B_SYMBOL}"
    VERBATIM)
  add_library(${B_LIBRARY} STATIC ${source})
  target_include_directories(${B_LIBRARY} PRIVATE ${PREPKIT_ROOT})
endfunction()

# Registers a target whose file ships (inside or beside PrepKit.exe): the XP
# compatibility test inspects each of them.
function(prepkit_shipped_pe target)
  set_property(GLOBAL APPEND PROPERTY PREPKIT_SHIPPED_PE "$<TARGET_FILE:${target}>")
endfunction()
