// Every topic of the processor identification library in one include.
#pragma once

#include "cpuinfo/Cache.h"
#include "cpuinfo/Cpuid.h"
#include "cpuinfo/CpuidDump.h"
#include "cpuinfo/CpuidSource.h"
#include "cpuinfo/Facts.h"
#include "cpuinfo/Features.h"
#include "cpuinfo/Naming.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/Speed.h"
#include "cpuinfo/Values.h"
#include "cpuinfo/Vendor.h"
