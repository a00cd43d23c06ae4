#ifndef CORVANTHELIS_RENDER_DECOUPE_H
#define CORVANTHELIS_RENDER_DECOUPE_H

// Cutting a rectangle out of a decoded picture straight into an RGBA pixel
// buffer (bytes red, green, blue, alpha), in one pass: format conversion,
// the picture's own colour key and the loader's colour key together.
//
// The bytes are those a blit into a zeroed 32-bit RGBA surface gives, with
// the picture's per-surface alpha flag cleared: pixels outside the picture,
// and those of its own colour key, are transparent black; pictures without
// alpha come out opaque. Then pixels whose red, green and blue equal the
// loader's key (cleR != -1, low 8 bits) become transparent black. Every
// pixel of the rectangle in `dest` is written.

struct SDL_Surface;

// Copies the w x h rectangle at (sx, sy) of `source` to `dest`, whose rows
// are `pasDest` pixels long, the rectangle's top-left corner at dest's.
// Pixel formats without a direct path (16-bit, run-length encoded) go
// through a blit. False only when that blit fails.
bool copieRectangle(SDL_Surface* source, int sx, int sy, int w, int h, unsigned char* dest, int pasDest,
                    int cleR, int cleG, int cleB);

#endif
