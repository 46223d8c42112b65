#include "DeductionClasses.h"
