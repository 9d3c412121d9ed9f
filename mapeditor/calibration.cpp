#include "calibration.h"
