// The image decoder compiled into the fuzz targets, so that the fuzzer sees its branches
// and the sanitizers check its memory accesses (the system's stb library is neither).
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
