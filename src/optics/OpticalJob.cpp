#include "optics/OpticalJob.h"

TOpticalJob OpticalJob;
