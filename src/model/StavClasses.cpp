#include "StavClasses.h"
