// Stand-in for the Direct3D driver header that winddi.h includes. Nothing
// winddi.h declares needs a type from it, so it is deliberately empty; see
// ddrawint.h in this directory for why these stand-ins exist.
#pragma once
