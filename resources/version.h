#pragma once
// The program's version: the version resource, the installer and the portable zip read it here.
#define VARNOLT_VERSION "1.02"
#define VARNOLT_VERSION_NUMBERS 1, 0, 2, 0
