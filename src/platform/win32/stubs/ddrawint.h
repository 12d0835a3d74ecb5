// Stand-in for the DirectDraw driver header that winddi.h pulls in.
//
// Debian's mingw-w64 ships winddi.h but not the DirectDraw/Direct3D driver
// headers it includes, so <winddi.h> fails to compile as shipped. A printer
// plug-in never touches DirectDraw: winddi.h only names these types in the
// prototypes of display-driver entry points, always behind a pointer. Opaque
// (incomplete) types are therefore enough, and any accidental use of their
// members fails to compile instead of silently using a guessed layout.
//
// Only the Windows build puts this directory on its include path.
#pragma once

typedef struct _DD_SURFACE_LOCAL DD_SURFACE_LOCAL, *PDD_SURFACE_LOCAL;
typedef struct _DD_DIRECTDRAW_GLOBAL DD_DIRECTDRAW_GLOBAL, *PDD_DIRECTDRAW_GLOBAL;
typedef struct _DD_CALLBACKS DD_CALLBACKS, *PDD_CALLBACKS;
typedef struct _DD_SURFACECALLBACKS DD_SURFACECALLBACKS, *PDD_SURFACECALLBACKS;
typedef struct _DD_PALETTECALLBACKS DD_PALETTECALLBACKS, *PDD_PALETTECALLBACKS;
typedef struct _DD_HALINFO DD_HALINFO, *PDD_HALINFO;
typedef struct _VIDEOMEMORY VIDEOMEMORY, *LPVIDEOMEMORY;
