#include "shell/Signaux.h"

#include <csignal>
#include <initializer_list>

namespace {
volatile sig_atomic_t arret = 0;

void surSignal(int numero)
{
    if (arret) {
        // Asked twice: the default action, which ends the process now.
        signal(numero, SIG_DFL);
        raise(numero);
        return;
    }
    arret = 1;
}
}

void installeArretParSignaux()
{
    struct sigaction action = {};
    action.sa_handler = surSignal;
    sigemptyset(&action.sa_mask);
    for (int numero : {SIGINT, SIGTERM, SIGHUP})
        sigaction(numero, &action, nullptr);
}

bool arretDemande()
{
    return arret != 0;
}

void oublieArretDemande()
{
    arret = 0;
}
