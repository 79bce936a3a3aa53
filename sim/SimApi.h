#pragma once

// What the simulation library shows to the vendor stand-ins and to tests; the rest stays hidden.
#define SIM_API __attribute__((visibility("default")))
