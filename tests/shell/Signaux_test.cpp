// Signals ask once, politely; the second one is final.

#include "shell/Signaux.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

TEST(Signaux, FirstSignalIsARequestSecondEndsTheProcess)
{
    for (int numero : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                installeArretParSignaux();
                raise(numero);
                if (!arretDemande())
                    std::exit(1);
                std::fprintf(stderr, "encore en vie\n");
                raise(numero);
                std::exit(2); // not reached
            },
            ::testing::KilledBySignal(numero), "encore en vie")
            << numero;
    }
}

}
