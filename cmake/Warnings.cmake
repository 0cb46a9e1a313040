# Warnings are errors in our own code; third-party code (GoogleTest, libjpeg) is built without this.
function(tarvell_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
  # GCC 12 reports impossible overlaps inside std::string concatenation at -O2 (its bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# Registers a platform-free library for the native tests.
function(tarvell_core_library name)
  add_library(${name} STATIC ${ARGN})
  tarvell_warnings(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY TARVELL_CORE_LIBS ${name})
endfunction()

# Registers a Win32 library for the Windows tests.
function(tarvell_win_library name)
  add_library(${name} STATIC ${ARGN})
  tarvell_warnings(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY TARVELL_WIN_LIBS ${name})
endfunction()

# A platform-free library of the core (base/, jpeg/, slideshow/). Its sources, and those of
# every core library it links, see only the core's folders: an include of a window, desktop
# or application header fails to compile, so the native build proves the core stands alone.
function(tarvell_core_folder_library name)
  set(view ${CMAKE_BINARY_DIR}/core-view)
  foreach(folder base jpeg slideshow)
    if(NOT EXISTS ${view}/${folder})
      file(MAKE_DIRECTORY ${view})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
    endif()
  endforeach()
  add_library(${name} STATIC ${ARGN})
  tarvell_warnings(${name})
  target_include_directories(${name} PUBLIC ${view})
  set_property(GLOBAL APPEND PROPERTY TARVELL_CORE_LIBS ${name})
endfunction()
