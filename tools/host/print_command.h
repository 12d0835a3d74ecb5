// wrenhost print: prints one or more tickets through the installed plug-in,
// each on a device of its own in this one process.
//
//   wrenhost print <ticket.ini>... [--output PATH | --output-dir DIR] [--interleave | --concurrent]
//                  [--repeat N [--unseal-password P]] [--no-drvprocs] [--plugin PATH] [--block-size N]
//                  [--script FILE [--screenshot DIR]]
//
// Several tickets print one after the other, or with --interleave on this
// thread in turn (every device opened and every job started, then the
// streams a block at a time each), or with --concurrent each on a thread of
// its own. --output names the job file of a single ticket; --output-dir DIR
// writes every ticket's job to DIR\<ticket name>.prn. --repeat N prints the
// set N times (a soak): every round's jobs are checked against the first
// round's (encrypted ones opened with --unseal-password), and the process's
// memory and handles must not grow between job 200 and the last job.
// A --script answers the Job Name prompt of a single ticket printed once.
#pragma once

#include <string>
#include <vector>

namespace wren::host {

int printTickets(const std::vector<std::wstring>& args);

}  // namespace wren::host
