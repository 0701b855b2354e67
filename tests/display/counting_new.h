// Every operator new of the executable that links counting_new.cpp is counted.
#pragma once

long AllocationsSoFar();
