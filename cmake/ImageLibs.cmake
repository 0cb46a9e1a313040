# The PNG and WebP decoders: libspng over zlib, libwebp with its demuxer. Natively Debian's
# -dev packages; for Windows the static builds of tools/build-image-libs-mingw.sh, found
# through the toolchain's search roots, so Tarvell.exe needs no DLL of theirs.
find_package(ZLIB REQUIRED)

find_path(SPNG_INCLUDE_DIR spng.h REQUIRED)
find_library(SPNG_LIBRARY NAMES spng REQUIRED)
add_library(Tarvell::Spng UNKNOWN IMPORTED)
set_target_properties(Tarvell::Spng PROPERTIES IMPORTED_LOCATION ${SPNG_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${SPNG_INCLUDE_DIR} INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
if(WIN32)
  # The header marks its functions as DLL imports unless told the library is static.
  set_property(TARGET Tarvell::Spng PROPERTY INTERFACE_COMPILE_DEFINITIONS SPNG_STATIC)
endif()

find_path(WEBP_INCLUDE_DIR webp/decode.h REQUIRED)
find_library(WEBP_LIBRARY NAMES webp REQUIRED)
find_library(WEBPDEMUX_LIBRARY NAMES webpdemux REQUIRED)
add_library(Tarvell::Webp UNKNOWN IMPORTED)
set_target_properties(Tarvell::Webp PROPERTIES IMPORTED_LOCATION ${WEBP_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${WEBP_INCLUDE_DIR})
add_library(Tarvell::WebpDemux UNKNOWN IMPORTED)
set_target_properties(Tarvell::WebpDemux PROPERTIES IMPORTED_LOCATION ${WEBPDEMUX_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${WEBP_INCLUDE_DIR} INTERFACE_LINK_LIBRARIES Tarvell::Webp)

# stb_image_resize, header only: Debian's libstb-dev natively. The Windows build takes a copy
# of the same header into its build tree, since the host's include folder must not be on the
# cross compiler's path.
find_path(STB_INCLUDE_DIR stb/stb_image_resize.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_library(Tarvell::StbResize INTERFACE IMPORTED)
if(WIN32)
  configure_file(${STB_INCLUDE_DIR}/stb/stb_image_resize.h ${CMAKE_BINARY_DIR}/stb/stb/stb_image_resize.h COPYONLY)
  set_target_properties(Tarvell::StbResize PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/stb)
else()
  set_target_properties(Tarvell::StbResize PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${STB_INCLUDE_DIR})
endif()
