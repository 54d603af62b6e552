// Everything a user program of the Zorvane runtime sees.
#pragma once

#include "zorvane/clock.h"
#include "zorvane/maths.h"
#include "zorvane/program.h"
#include "zorvane/rt_array.h"
#include "zorvane/rt_string.h"
