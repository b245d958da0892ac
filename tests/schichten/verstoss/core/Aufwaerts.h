#include "machine/Maschine.h"
