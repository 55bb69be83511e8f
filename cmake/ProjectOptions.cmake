# One interface target carries the language standard, warnings and Qt defines
# to every target of the project.
add_library(zendrik_options INTERFACE)
target_compile_features(zendrik_options INTERFACE cxx_std_20)
target_compile_options(zendrik_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_compile_definitions(zendrik_options INTERFACE QT_NO_FOREACH QT_NO_URL_CAST_FROM_STRING)

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

include(BuildSpeed)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
endif()
