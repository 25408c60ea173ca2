# Linux host: the simulated platform that stands in for Windows and Explorer in the integration tests.
file(GLOB PLENVIK_SIM_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/platform/sim/*.cpp"
                                               "${CMAKE_SOURCE_DIR}/src/platform/posix/*.cpp")
list(FILTER PLENVIK_SIM_SOURCES EXCLUDE REGEX "/Desktop(Model|Entries)\\.cpp$")
add_library(plenvik_sim STATIC ${PLENVIK_SIM_SOURCES})
target_link_libraries(plenvik_sim PUBLIC plenvik_core plenvik_desktop_model)
plenvik_strict(plenvik_sim)
