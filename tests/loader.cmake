# The loader's tests. One sample image (tests/fixtures/sample_image.c) is built
# into variants with the 32-bit cross compiler in every configuration: the
# native tests walk their bytes, the Windows tests carry them as blobs.
find_program(PREPKIT_I686_CC i686-w64-mingw32-gcc-win32 REQUIRED)
find_program(PREPKIT_I686_DLLTOOL i686-w64-mingw32-dlltool REQUIRED)
set(PREPKIT_FIXTURE_SRC ${PREPKIT_ROOT}/tests/fixtures)
set(PREPKIT_FIXTURE_DIR ${CMAKE_BINARY_DIR}/fixtures)
file(MAKE_DIRECTORY ${PREPKIT_FIXTURE_DIR})

add_custom_command(
  OUTPUT ${PREPKIT_FIXTURE_DIR}/libabsent.a
  COMMAND ${PREPKIT_I686_DLLTOOL} -k -d ${PREPKIT_FIXTURE_SRC}/absent.def -l ${PREPKIT_FIXTURE_DIR}/libabsent.a
  DEPENDS ${PREPKIT_FIXTURE_SRC}/absent.def
  VERBATIM)

set(PREPKIT_FIXTURES)
# prepkit_fixture_image(file.dll flags...)
function(prepkit_fixture_image name)
  set(out ${PREPKIT_FIXTURE_DIR}/${name})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${PREPKIT_I686_CC} -O1 -nostdlib -fno-asynchronous-unwind-tables
            -o ${out} ${PREPKIT_FIXTURE_SRC}/sample_image.c ${ARGN}
            -L${PREPKIT_FIXTURE_DIR} -lkernel32
    DEPENDS ${PREPKIT_FIXTURE_SRC}/sample_image.c ${PREPKIT_FIXTURE_SRC}/sample_image.def
            ${PREPKIT_FIXTURE_DIR}/libabsent.a
    COMMENT "Building the loader fixture ${name}"
    VERBATIM)
  set(PREPKIT_FIXTURES ${PREPKIT_FIXTURES} ${out} PARENT_SCOPE)
endfunction()

set(dll -shared ${PREPKIT_FIXTURE_SRC}/sample_image.def)
prepkit_fixture_image(sample.dll ${dll} -Wl,--image-base=0x10000000)
# Linked at the usual base of a program: beside a program it must move.
prepkit_fixture_image(sample_rebased.dll ${dll} -Wl,--image-base=0x00400000)
prepkit_fixture_image(sample_fail_attach.dll ${dll} -DFAIL_ATTACH -Wl,--image-base=0x10000000)
prepkit_fixture_image(sample_missing_import.dll ${dll} -DMISSING_IMPORT -Wl,--image-base=0x10000000 -labsent)
prepkit_fixture_image(sample_align200.dll ${dll} -Wl,--image-base=0x10000000
                      -Wl,--section-alignment=0x200 -Wl,--file-alignment=0x200)
prepkit_fixture_image(sample_align10000.dll ${dll} -Wl,--image-base=0x10000000 -Wl,--section-alignment=0x10000)
# An executable image: no DLL flag, so no entry call.
prepkit_fixture_image(sample.exe -Wl,-e,_DllMainCRTStartup@12 -Wl,--enable-reloc-section -Wl,--image-base=0x20000000)
add_custom_target(loader_fixtures ALL DEPENDS ${PREPKIT_FIXTURES})

if(NOT PREPKIT_WINDOWS)
  prepkit_test(NAME pe_image_tests
    SOURCES unit/portable/pe_image_test.cpp unit/portable/pe_test_image.cpp
    LIBS prepkit_loader_portable)
  target_compile_definitions(pe_image_tests PRIVATE PREPKIT_FIXTURE_DIR="${PREPKIT_FIXTURE_DIR}")
  add_dependencies(pe_image_tests loader_fixtures)
endif()

if(NOT PREPKIT_WINDOWS)
  prepkit_test(NAME skin_data_tests SOURCES unit/portable/skin_data_test.cpp LIBS prepkit_skin_data)
  target_compile_definitions(skin_data_tests PRIVATE PREPKIT_SKIN_DATA="${PREPKIT_ROOT}/skin/default.skin")
endif()

if(PREPKIT_WINDOWS)
  set(fixture_blobs)
  foreach(pair sample.dll:fixtureSample sample_rebased.dll:fixtureRebased sample_fail_attach.dll:fixtureFailAttach
               sample_missing_import.dll:fixtureMissingImport sample.exe:fixtureExe
               sample_align200.dll:fixtureAlign200 sample_align10000.dll:fixtureAlign10000)
    string(REPLACE ":" ";" parts ${pair})
    list(GET parts 0 file)
    list(GET parts 1 symbol)
    prepkit_blob(LIBRARY prepkit_blob_${symbol} SYMBOL ${symbol} FILE ${PREPKIT_FIXTURE_DIR}/${file} DEPENDS loader_fixtures)
    list(APPEND fixture_blobs prepkit_blob_${symbol})
  endforeach()
  prepkit_test(NAME memory_module_tests WINDOWS_ONLY
    SOURCES unit/windows/memory_module_test.cpp
    LIBS prepkit_window_skin ${fixture_blobs})
  prepkit_test(NAME skin_tests WINDOWS_ONLY
    SOURCES unit/windows/skin_test.cpp
    LIBS prepkit_window_skin prepkit_skin_data user32 gdi32)
endif()

if(PREPKIT_WINDOWS AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The shipped skin library suits our loader: relocations, no TLS callbacks,
  # export names packed in name-table order, imports only from system DLLs.
  add_test(NAME skin_library_suits_loader
    COMMAND python3 ${PREPKIT_ROOT}/tests/loader_ready.py $<TARGET_FILE:PrepKitSkin> SkinH_AttachRes)
  set_tests_properties(skin_library_suits_loader PROPERTIES LABELS static)
endif()

# CallByAddress's 32-bit machine code, run under qemu-i386 as a freestanding
# Linux program: the one way to execute it on a host without 32-bit support.
if(NOT PREPKIT_WINDOWS)
  find_program(PREPKIT_CLANG clang++)
  find_program(PREPKIT_QEMU_I386 qemu-i386-static)
  if(PREPKIT_CLANG AND PREPKIT_QEMU_I386)
    set(check ${CMAKE_BINARY_DIR}/tests/call_by_address_i386.elf)
    add_custom_command(
      OUTPUT ${check}
      COMMAND ${PREPKIT_CLANG} --target=i386-linux-gnu -ffreestanding -nostdlib -static -fno-pic -O2
              -I${PREPKIT_ROOT}/tests/native32/shim -I${PREPKIT_ROOT}
              ${PREPKIT_ROOT}/tests/native32/call_by_address_i386.cpp ${PREPKIT_ROOT}/loader/call_by_address.cpp
              -o ${check}
      DEPENDS ${PREPKIT_ROOT}/tests/native32/call_by_address_i386.cpp ${PREPKIT_ROOT}/loader/call_by_address.cpp
              ${PREPKIT_ROOT}/loader/call_by_address.h
      COMMENT "Building the 32-bit CallByAddress check"
      VERBATIM)
    add_custom_target(call_by_address_check ALL DEPENDS ${check})
    add_test(NAME native.call_by_address_i386 COMMAND ${PREPKIT_QEMU_I386} ${check})
    set_tests_properties(native.call_by_address_i386 PROPERTIES TIMEOUT 60)
  else()
    message(STATUS "clang++ or qemu-i386-static missing: the 32-bit CallByAddress check is not built")
  endif()
endif()
