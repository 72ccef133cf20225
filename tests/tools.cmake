# The carried-tool launcher and the band repair, called directly under Wine.
if(NOT PREPKIT_WINDOWS)
  return()
endif()

# Two builds of one stand-in for the media player's band library.
function(prepkit_band_fixture target)
  add_library(${target} SHARED ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/tools/band_library.cpp)
  target_compile_definitions(${target} PRIVATE ${ARGN})
  target_link_libraries(${target} PRIVATE advapi32)
  # Plain export names on i686 too (no @0 decoration).
  target_link_options(${target} PRIVATE -Wl,--kill-at)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${target})
endfunction()
prepkit_band_fixture(band_registers)
prepkit_band_fixture(band_without_register BAND_WITHOUT_REGISTER)

prepkit_test(NAME tools_tests WINDOWS_ONLY TIMEOUT 240
  SOURCES unit/windows/tools_test.cpp
  LIBS prepkit_tools prepkit_test_support)
add_dependencies(tools_tests band_registers band_without_register)
# Where the tests find what the build made (host paths; the tests reach them through Z:).
set(built_tools
  "BUILT_UNINSTALLER=\"$<TARGET_FILE:prepkit_tool_uninstaller>\""
  "BUILT_INPUT_METHODS=\"$<TARGET_FILE:prepkit_tool_input_methods>\""
  "BUILT_ADMINISTRATORS=\"$<TARGET_FILE:prepkit_tool_administrators>\""
  "BUILT_FILE_SYSTEM=\"$<TARGET_FILE:prepkit_tool_file_system>\""
  "BUILT_DEFRAGMENTER=\"$<TARGET_FILE:prepkit_tool_defragmenter>\"")
target_compile_definitions(tools_tests PRIVATE ${built_tools}
  "BAND_REGISTERS=\"$<TARGET_FILE:band_registers>\""
  "BAND_WITHOUT_REGISTER=\"$<TARGET_FILE:band_without_register>\"")

# The same through the buttons of a running PrepKit.exe.
prepkit_test(NAME tools_e2e_tests WINDOWS_ONLY TIMEOUT 240
  SOURCES e2e/tools_e2e_test.cpp e2e/driver.cpp
  LIBS prepkit_forms prepkit_optimise_portable prepkit_test_support shell32 comctl32)
add_dependencies(tools_e2e_tests PrepKit)
target_compile_definitions(tools_e2e_tests PRIVATE ${built_tools})
