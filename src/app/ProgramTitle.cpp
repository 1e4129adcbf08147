#include "app/ProgramTitle.h"

const std::string ProgramTitle = "Zorla 1.0";
