#ifndef CORVANTHELIS_SHELL_SIGNAUX_H
#define CORVANTHELIS_SHELL_SIGNAUX_H

// Ending a mode from outside: SIGINT, SIGTERM and SIGHUP ask the running
// mode to end as if its window were closed, so the program releases what it
// holds and exits normally. A second signal ends the process at once.
//
// The handler only raises a flag; the event pumps of the modes read it.

// Installs the handler for the three signals (again: harmless).
void installeArretParSignaux();
// True once one of them came.
bool arretDemande();
// Forgets a request (tests).
void oublieArretDemande();

#endif
