// The synopsis of each wrenhost command, written once: the command's own
// error message, the host's help and the README show this text (a native
// test checks the README against it).
#pragma once

#include <string>
#include <string_view>

namespace wren::host {

struct CommandUsage {
    std::string_view command;
    std::string_view synopsis;
};

inline constexpr CommandUsage kCommandUsages[] = {
    {"install", "wrenhost install <package-dir> [--printer NAME] [--driver NAME] [--share NAME] [--network] "
                "[--port NAME]"},
    {"installer", "wrenhost installer [--printer NAME] (notify|config)..."},
    {"print", "wrenhost print <ticket.ini>... [--output PATH | --output-dir DIR] [--interleave | --concurrent] "
              "[--repeat N [--unseal-password P]] [--no-drvprocs] [--plugin PATH] [--block-size N] "
              "[--script FILE [--screenshot DIR]]"},
    {"preview", "wrenhost preview <ticket.ini> <out-prefix> [--emulation PATH] [--resolution DPI] [--plugin PATH]"},
    {"unseal", "wrenhost unseal <job> (--password P | --card-data HEX) <out>"},
    {"record", "wrenhost record [--printer NAME]"},
    {"preferences", "wrenhost preferences <ticket.ini> [--save PATH] [--script FILE] [--screenshot DIR] "
                    "[--printer-properties] [--plugin PATH] [--start-page N] [--and <ticket.ini> [the same options]]..."},
};

// "usage: " and the command's synopsis; for an unknown command, every
// command's, one a line.
inline std::string usageOf(std::string_view command) {
    for (const CommandUsage& u : kCommandUsages)
        if (u.command == command) return std::string("usage: ").append(u.synopsis);
    std::string all = "usage:";
    for (const CommandUsage& u : kCommandUsages) all.append("\n  ").append(u.synopsis);
    return all;
}

}  // namespace wren::host
