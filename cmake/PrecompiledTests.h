// The precompiled headers of test programs: those of the program's targets
// and GoogleTest.
#pragma once

#include "Precompiled.h"

#include <gtest/gtest.h>
