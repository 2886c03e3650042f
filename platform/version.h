// The program's version, read by the C++ code and by the resource compiler.
#pragma once

#define KESTROW_VERSION_MAJOR 1
#define KESTROW_VERSION_MINOR 0
#define KESTROW_VERSION_REVISION 0
