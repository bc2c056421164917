#pragma once

// _splitpath_s: the path splitter with the caller's buffer sizes, so that no
// component is limited to _MAX_DIR and the like (Linux paths run longer).
// The parts are those of _splitpath (CrtCompat.h): drive always empty,
// directory with its trailing "/", base name, extension with its dot.

#include <cstddef>

typedef int errno_t;

// Each buffer may be null with a size of 0 (that part is not wanted). EINVAL
// for a null path or a null buffer with a size; ERANGE when a part does not
// fit its buffer (every buffer is then emptied). 0 on success.
errno_t _splitpath_s(const char* path, char* drive, std::size_t driveNumberOfElements, char* dir,
                     std::size_t dirNumberOfElements, char* fname, std::size_t nameNumberOfElements,
                     char* ext, std::size_t extNumberOfElements);
