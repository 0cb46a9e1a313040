// The one way our code includes libjpeg: its headers need <cstdio> first.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

// Colour rows are decoded straight into BMP order (blue, green, red), which needs
// libjpeg-turbo's extended output colour spaces.
#ifndef JCS_EXTENSIONS
#error "Tarvell needs libjpeg-turbo (JCS_EXTENSIONS): plain libjpeg cannot decode to BGR rows"
#endif
