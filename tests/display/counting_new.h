// Every operator new of an executable that links counting_new.cpp is counted.
#pragma once

long AllocationsSoFar();
