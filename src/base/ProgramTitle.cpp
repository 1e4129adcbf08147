#include "base/ProgramTitle.h"

const char ProgramTitle[] = "Zorla 1.0";
