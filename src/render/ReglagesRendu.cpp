#include "render/ReglagesRendu.h"

namespace {
ReglagesRendu enVigueur;
}

void fixeReglagesRendu(const ReglagesRendu& reglages)
{
    enVigueur = reglages;
}

const ReglagesRendu& reglagesRendu()
{
    return enVigueur;
}
