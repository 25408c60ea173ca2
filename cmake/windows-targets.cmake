# Windows builds: the real backend, the views, Plenvik.exe, the shell extension and the test shell.
file(GLOB PLENVIK_WIN32_SOURCES CONFIGURE_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/platform/win32/*.cpp"
  "${CMAKE_SOURCE_DIR}/src/*/win32/*.cpp")
list(FILTER PLENVIK_WIN32_SOURCES EXCLUDE REGEX "/src/app/win32/WinMain\\.cpp$")
add_library(plenvik_win32 STATIC ${PLENVIK_WIN32_SOURCES})
target_link_libraries(plenvik_win32 PUBLIC plenvik_core
  comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid advapi32 user32 gdi32 version)
plenvik_strict(plenvik_win32)

set(PLENVIK_MANIFEST_RC "${CMAKE_SOURCE_DIR}/res/manifest.rc")

add_executable(Plenvik WIN32 "${CMAKE_SOURCE_DIR}/src/app/win32/WinMain.cpp" "${CMAKE_SOURCE_DIR}/res/Plenvik.rc")
target_link_libraries(Plenvik PRIVATE plenvik_win32)
target_link_options(Plenvik PRIVATE -municode)
if(MINGW_ARCH STREQUAL "i686")
  # 4 GB of address space under 64-bit Windows instead of 2 GB.
  target_link_options(Plenvik PRIVATE -Wl,--large-address-aware)
endif()
plenvik_strict(Plenvik)

file(GLOB PLENVIK_TESTSHELL_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tools/testshell/*.cpp")
if(PLENVIK_TESTSHELL_SOURCES)
  add_executable(testshell ${PLENVIK_TESTSHELL_SOURCES} "${PLENVIK_MANIFEST_RC}")
  target_link_libraries(testshell PRIVATE plenvik_win32 plenvik_desktop_model)
  plenvik_strict(testshell)
endif()

# Windows-side benchmark programs (bench/*_win.cpp), run under Wine by their bench/NAME.sh.
file(GLOB PLENVIK_WIN_BENCH_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/bench/*_win.cpp")
foreach(src ${PLENVIK_WIN_BENCH_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} EXCLUDE_FROM_ALL ${src} "${PLENVIK_MANIFEST_RC}")
  target_link_libraries(${name} PRIVATE plenvik_win32)
  plenvik_strict(${name})
endforeach()
# iconread_win also reads through the test shell's folder view in its own process.
if(TARGET iconread_win AND PLENVIK_TESTSHELL_SOURCES)
  set(PLENVIK_TESTSHELL_PARTS ${PLENVIK_TESTSHELL_SOURCES})
  list(FILTER PLENVIK_TESTSHELL_PARTS EXCLUDE REGEX "/main\\.cpp$")
  target_sources(iconread_win PRIVATE ${PLENVIK_TESTSHELL_PARTS})
  target_include_directories(iconread_win PRIVATE "${CMAKE_SOURCE_DIR}/tools/testshell")
  target_link_libraries(iconread_win PRIVATE plenvik_desktop_model)
endif()
# restorebig_win drives Plenvik.exe and the test shell the way the Windows tests do.
if(TARGET restorebig_win)
  file(GLOB PLENVIK_WINE_DRIVER_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/wine/driver/*.cpp")
  target_sources(restorebig_win PRIVATE ${PLENVIK_WINE_DRIVER_SOURCES})
  target_include_directories(restorebig_win PRIVATE "${CMAKE_SOURCE_DIR}/tests/wine")
  target_link_libraries(restorebig_win PRIVATE psapi)
  add_dependencies(restorebig_win Plenvik testshell)
endif()

# A small helper of scripts/demo: it presses the save command of a running Plenvik.
add_executable(demodriver "${CMAKE_SOURCE_DIR}/tools/demodriver/main.cpp")
target_link_libraries(demodriver PRIVATE plenvik_win32)
plenvik_strict(demodriver)

file(GLOB PLENVIK_SHELLEXT_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/shellext/*.cpp")
if(PLENVIK_SHELLEXT_SOURCES)
  add_library(OrvelShellExtensions SHARED ${PLENVIK_SHELLEXT_SOURCES} "${CMAKE_SOURCE_DIR}/src/shellext/OrvelShellExtensions.def"
    "${CMAKE_SOURCE_DIR}/res/OrvelShellExtensions.rc")
  set_target_properties(OrvelShellExtensions PROPERTIES PREFIX "")
  # Header-only helpers of src/ (Scoped.h); the DLL links no library of the program.
  target_include_directories(OrvelShellExtensions PRIVATE "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(OrvelShellExtensions PRIVATE ole32 oleaut32 uuid shell32 shlwapi advapi32 user32 gdi32)
  if(MINGW_ARCH STREQUAL "i686")
    target_link_options(OrvelShellExtensions PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
  plenvik_strict(OrvelShellExtensions)
endif()

# The setup program (NSIS, installer/Plenvik.nsi). scripts/package makes the one for every Windows (a
# 32-bit setup) from both builds; the 64-bit build makes a 64-bit setup of the same script with the
# 64-bit pieces, which its tests run under Wine (where 32-bit programs cannot run on this bench).
find_program(MAKENSIS makensis)
if(MAKENSIS AND MINGW_ARCH STREQUAL "x86_64" AND TARGET OrvelShellExtensions)
  set(PLENVIK_TEST_SETUP "${CMAKE_BINARY_DIR}/Plenvik-Setup-test64.exe")
  add_custom_command(OUTPUT "${PLENVIK_TEST_SETUP}"
    COMMAND "${MAKENSIS}" -V2 -DPLENVIK_AMD64 "-DPLENVIK_GENERATED=${PLENVIK_GENERATED_DIR}"
            "-DPLENVIK_BIN64=${CMAKE_BINARY_DIR}" "-DPLENVIK_OUTFILE=${PLENVIK_TEST_SETUP}"
            "${CMAKE_SOURCE_DIR}/installer/Plenvik.nsi"
    DEPENDS "${CMAKE_SOURCE_DIR}/installer/Plenvik.nsi" "${CMAKE_SOURCE_DIR}/res/Plenvik.ico"
            "${PLENVIK_GENERATED_DIR}/PlenvikVersion.nsh" Plenvik OrvelShellExtensions
    COMMENT "makensis: 64-bit test setup"
    VERBATIM)
  add_custom_target(test_setup ALL DEPENDS "${PLENVIK_TEST_SETUP}")
endif()
