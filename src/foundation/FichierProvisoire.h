#ifndef CORVANTHELIS_FOUNDATION_FICHIERPROVISOIRE_H
#define CORVANTHELIS_FOUNDATION_FICHIERPROVISOIRE_H

// A file written in full before it appears under its name: one object per
// output being written. `ouvre` gives a descriptor to write to; `publie`
// puts the content in place of the destination in one step (an existing
// file is replaced, never truncated); destroying the object before that
// leaves nothing behind.
//
// Where the file system allows it the file has no name at all until it is
// published (O_TMPFILE), so even a killed process leaves nothing. Elsewhere
// it is a file named "<destination>.tmp<pid>_<n>" next to the destination,
// removed on SIGINT, SIGTERM and SIGHUP before the signal takes its usual
// course (a signal the process ignores stays ignored); such files left by a
// process that no longer exists are removed when the next one is opened
// for the same destination. Eight objects at a time are covered by the
// signal cleanup.

#include <string>

class CFichierProvisoire {
public:
    CFichierProvisoire() = default;
    CFichierProvisoire(const CFichierProvisoire&) = delete;
    CFichierProvisoire& operator=(const CFichierProvisoire&) = delete;
    ~CFichierProvisoire();

    // The descriptor to write to, owned by this object; -1 (errno set) when
    // no file can be made next to `destination`.
    int ouvre(const char* destination);
    // Closes the file and gives it the destination's name. False (and
    // nothing left) on failure.
    bool publie();

    // Tests: take the named route even where an unnamed file could be made.
    static void forceNomme(bool force);

private:
    void abandonne();
    bool ouvreNomme();
    bool lieSous(const std::string& nom);

    std::string destination_;
    std::string nom_;  // empty while the file has no name
    int fd_ = -1;
};

#endif
