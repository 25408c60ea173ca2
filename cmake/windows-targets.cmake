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
plenvik_strict(Plenvik)

file(GLOB PLENVIK_TESTSHELL_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tools/testshell/*.cpp")
if(PLENVIK_TESTSHELL_SOURCES)
  add_executable(testshell ${PLENVIK_TESTSHELL_SOURCES} "${PLENVIK_MANIFEST_RC}")
  target_link_libraries(testshell PRIVATE plenvik_win32)
  plenvik_strict(testshell)
endif()

# Windows-side benchmark programs (bench/*_win.cpp), run under Wine by their bench/NAME.sh.
file(GLOB PLENVIK_WIN_BENCH_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/bench/*_win.cpp")
foreach(src ${PLENVIK_WIN_BENCH_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} "${PLENVIK_MANIFEST_RC}")
  target_link_libraries(${name} PRIVATE plenvik_win32)
  plenvik_strict(${name})
endforeach()

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
