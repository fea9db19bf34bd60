/*
 * misbehaving_program.c: programs on the package that go wrong in the ways vorbl-check must
 * name, one per value of MISBEHAVIOUR (set when it is compiled):
 *   1  crashes after start-up (SIGABRT ends it; a sanitizer build turns SIGSEGV into exit 1)
 *   2  never starts the package's windows (start-up is linked but not called)
 *   3  goes on waiting after its EVENT_QUIT
 *   4  never ends and never waits (a loop that burns processor time)
 *   5  returns status 3 after a normal quit
 */
#include <signal.h>
#include <stddef.h>
#include <vorbl.h>

int main(int argc, char **argv) {
    (void)argv;
    if (MISBEHAVIOUR == 2 && argc < 100) {
        return 0;
    }
    if (!VORBL_startup(NULL, NULL, "", 1)) {
        return 1;
    }
    VORBL_clear_canvas();
    if (MISBEHAVIOUR == 1) {
        raise(SIGABRT);
    }
    if (MISBEHAVIOUR == 3) {
        for (;;) {
            VORBL_wait_event(NULL, NULL, NULL);
        }
    }
    if (MISBEHAVIOUR == 4) {
        volatile unsigned long spin = 0;
        for (;;) {
            ++spin;
        }
    }
    while (VORBL_wait_event(NULL, NULL, NULL) != EVENT_QUIT) {
    }
    VORBL_shutdown();
    return MISBEHAVIOUR == 5 ? 3 : 0;
}
