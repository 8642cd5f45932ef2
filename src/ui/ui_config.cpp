// Build settings of the windows.
#include "ui_config.h"
