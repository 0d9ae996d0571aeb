/* The JPEG decoder for the splash banner: stb_image (Debian's libstb-dev),
   built into the exe with only its baseline and progressive JPEG support.
   It decodes in well under a millisecond and needs neither COM nor the
   Windows Imaging Component, whose start-up costs more than the window. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#include <stb_image.h>
