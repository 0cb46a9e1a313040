# Warnings are errors in our own code; third-party code (GoogleTest, libjpeg) is built without this.
function(tarvell_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
  # GCC 12 reports impossible overlaps inside std::string concatenation at -O2 (its bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# Registers a Win32 library for the Windows tests.
function(tarvell_win_library name)
  add_library(${name} STATIC ${ARGN})
  tarvell_warnings(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY TARVELL_WIN_LIBS ${name})
endfunction()

# A platform-free library, registered for the native tests:
#   tarvell_core_library(name SEES folder... SOURCES file...)
# Its sources, and those of every library that links it, see only the folders named after SEES
# (a view of links into the source tree): an include of any other folder fails to compile, so
# the native build proves each piece stands on what it names and no window or system header of
# the program reaches it.
function(tarvell_core_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SEES;SOURCES")
  set(view ${CMAKE_BINARY_DIR}/fence/${name})
  foreach(folder IN LISTS arg_SEES)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${folder})
      message(FATAL_ERROR "${name} sees ${folder}, which is no folder of the project")
    endif()
    if(NOT EXISTS ${view}/${folder})
      file(MAKE_DIRECTORY ${view})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
    endif()
  endforeach()
  add_library(${name} STATIC ${arg_SOURCES})
  tarvell_warnings(${name})
  target_include_directories(${name} PUBLIC ${view})
  set_property(GLOBAL APPEND PROPERTY TARVELL_CORE_LIBS ${name})
endfunction()
