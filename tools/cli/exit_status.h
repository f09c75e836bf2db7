#pragma once

namespace r7k::cli {

// What r7k's exit status tells a script. The numbers are documented in
// --help, the README and the man page; they never change meaning.
enum Exit_status : int {
    Exit_ok = 0,            // done; diff: the files hold the same
    Exit_differ = 1,        // diff: the files differ
    Exit_usage = 2,         // a bad command line
    Exit_file = 3,          // a file that cannot be read or written, or holds a bad value
    Exit_link = 4,          // a port that cannot be opened, a radio that does not answer or is lost
    Exit_verify = 5,        // the radio holds other data than was written to it
    Exit_unverified = 6,    // written, but the read-back could not be done
    Exit_interrupted = 130, // stopped by Ctrl-C, SIGTERM or SIGHUP (128 + SIGINT)
};

} // namespace r7k::cli
