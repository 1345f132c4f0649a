#include "toolkit/win_types.h"
