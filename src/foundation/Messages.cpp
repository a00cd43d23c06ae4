#include "foundation/Messages.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {

bool journal = true;
CCaptureMessages* capture = nullptr;
// Picture decoding workers report their failures too.
std::mutex verrou;

void dit(bool erreur, const char* format, va_list arguments)
{
    std::lock_guard<std::mutex> garde(verrou);
    if (!capture) {
        vfprintf(erreur ? stderr : stdout, format, arguments);
        return;
    }
    va_list copie;
    va_copy(copie, arguments);
    int n = vsnprintf(nullptr, 0, format, copie);
    va_end(copie);
    if (n <= 0)
        return;
    std::string& texte = erreur ? capture->erreurs : capture->info;
    size_t debut = texte.size();
    texte.resize(debut + static_cast<size_t>(n) + 1);
    vsnprintf(&texte[debut], static_cast<size_t>(n) + 1, format, arguments);
    texte.resize(debut + static_cast<size_t>(n));
}

} // namespace

void messageInfo(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    dit(false, format, arguments);
    va_end(arguments);
}

void messageErreur(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    dit(true, format, arguments);
    va_end(arguments);
}

void messageDetail(const char* format, ...)
{
    if (!journal)
        return;
    va_list arguments;
    va_start(arguments, format);
    dit(false, format, arguments);
    va_end(arguments);
}

void videMessages()
{
    fflush(stdout);
}

void fixeJournal(bool actif)
{
    journal = actif;
}

bool journalActif()
{
    return journal;
}

CCaptureMessages::CCaptureMessages()
{
    std::lock_guard<std::mutex> garde(verrou);
    precedente = capture;
    capture = this;
}

CCaptureMessages::~CCaptureMessages()
{
    std::lock_guard<std::mutex> garde(verrou);
    capture = precedente;
}
