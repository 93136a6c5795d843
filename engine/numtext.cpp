#include "engine/numtext.h"
