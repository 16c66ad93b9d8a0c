// The window classes are header-only; this file gives them their meta-object code.
#include "tforms.h"
