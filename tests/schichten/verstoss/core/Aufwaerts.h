#include "maschine/Maschine.h"
