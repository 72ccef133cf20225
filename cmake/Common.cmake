# Flags shared by every target, and the helpers that declare tests.

set(PREPKIT_ROOT ${CMAKE_SOURCE_DIR})
set(PREPKIT_WINE_RUNNER ${PREPKIT_ROOT}/tests/wine/run-in-wine.sh)

if(PREPKIT_WINDOWS)
  add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 NOMINMAX WIN32_LEAN_AND_MEAN)
  # Narrow literals become code page 936 bytes: the program's texts are GBK at run time.
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=GBK -Wall -Wextra -Wno-unused-parameter)
  add_link_options(-static -static-libgcc -static-libstdc++)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_link_options(-Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,1
                     -Wl,--major-os-version,5 -Wl,--minor-os-version,1)
  endif()
  # doctest alone on the include path: the host's /usr/include must never be seen by the cross compiler.
  set(PREPKIT_DOCTEST_DIR ${CMAKE_BINARY_DIR}/doctest-include)
  file(COPY /usr/include/doctest DESTINATION ${PREPKIT_DOCTEST_DIR})
else()
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=GBK -Wall -Wextra -Wno-unused-parameter
                      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
  set(PREPKIT_DOCTEST_DIR /usr/include)
endif()

# A doctest program; on Windows it runs under Wine, natively it runs as it is.
#   prepkit_test(NAME name SOURCES ... LIBS ... [TIMEOUT s] [WINDOWS_ONLY] [ARGS ...])
function(prepkit_test)
  cmake_parse_arguments(T "WINDOWS_ONLY" "NAME;TIMEOUT" "SOURCES;LIBS;ARGS" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT PREPKIT_WINDOWS)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  # doctest's runner is large: compile it once and link it into every test program.
  if(NOT TARGET prepkit_doctest_main)
    add_library(prepkit_doctest_main STATIC ${PREPKIT_ROOT}/tests/unit/doctest_main.cpp)
    target_include_directories(prepkit_doctest_main PUBLIC ${PREPKIT_DOCTEST_DIR})
    target_compile_definitions(prepkit_doctest_main PUBLIC DOCTEST_CONFIG_NO_MULTITHREADING)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE prepkit_doctest_main)
  target_include_directories(${T_NAME} PRIVATE ${PREPKIT_DOCTEST_DIR} ${PREPKIT_ROOT})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
  if(PREPKIT_WINDOWS)
    target_link_options(${T_NAME} PRIVATE -mconsole)
    add_test(NAME win.${T_NAME} COMMAND ${PREPKIT_WINE_RUNNER} ${T_TIMEOUT} $<TARGET_FILE:${T_NAME}> ${T_ARGS})
    set_tests_properties(win.${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} RESOURCE_LOCK wineprefix LABELS wine)
  else()
    add_test(NAME native.${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
    set_tests_properties(native.${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()
