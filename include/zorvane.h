// Everything a user program of the Zorvane runtime sees.
#pragma once

#include "zorvane/audio.h"
#include "zorvane/channels.h"
#include "zorvane/clock.h"
#include "zorvane/config_files.h"
#include "zorvane/display.h"
#include "zorvane/files.h"
#include "zorvane/gfx2d.h"
#include "zorvane/images.h"
#include "zorvane/input.h"
#include "zorvane/maths.h"
#include "zorvane/media_pack.h"
#include "zorvane/memory_files.h"
#include "zorvane/program.h"
#include "zorvane/rt_array.h"
#include "zorvane/rt_string.h"
#include "zorvane/text.h"
