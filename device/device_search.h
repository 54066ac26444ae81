#pragma once
// Finding cameras: address ranges from the setting "device_search_ranges"
// (or the computer's own IPv4 networks), many GET /status probes at once
// with a short time-out, and the list of known devices kept in devices.json
// beside config.json.
// Threading: any thread. probe_devices() blocks until every probe ended and
// runs its probes on threads of its own.

#include "store/records.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct ipv4_range {
    uint32_t first = 0; // host order, inclusive
    uint32_t last = 0;
    bool network = false; // written as a network: its first and last address are not hosts
};

// Ranges written as "a.b.c.d/n", "a.b.c.d-e.f.g.h" or a single "a.b.c.d",
// separated by commas, semicolons or white space. False (with the first
// entry not understood in *bad) when any entry is malformed; out then holds
// the entries before it.
bool parse_search_ranges(const std::string& text, std::vector<ipv4_range>& out,
                         std::string* bad = nullptr);

// The computer's own IPv4 networks, each at most the /24 around its address.
std::vector<ipv4_range> default_search_ranges();

// The ranges the search probes: the setting when it is given and valid,
// else the default ranges.
std::vector<ipv4_range> search_ranges_for(const std::string& setting);

// The addresses of the ranges in order, each once, without the network and
// broadcast addresses of networks wider than two addresses; at most `limit`.
std::vector<std::string> range_addresses(const std::vector<ipv4_range>& ranges, size_t limit);

struct probe_options {
    int timeout_ms = 400;   // connect, each send and receive
    int deadline_ms = 1200; // whole exchange, so a peer that drips cannot hold a probe
    int parallel = 64;      // probes at once
};

struct probe_result {
    std::string address;
    int result = 0; // device_read_status() result; 0 when a camera answered
    device_status_info status;
    std::string sn;
};

// Probes every address with GET /status; one result per address, in order.
// abort (may be null) is asked before each probe.
std::vector<probe_result> probe_devices(const std::vector<std::string>& addresses,
                                        const probe_options& options,
                                        const std::atomic<bool>* abort = nullptr);

// ---- Known devices (devices.json) ------------------------------------------
// A record's name is the camera's serial number, its tag the time it last
// answered (milliseconds since the epoch).

std::wstring devices_file_path();
// 0; ENOENT (or another errno) when the file cannot be read; 2 when it is not
// a device list. Entries without a valid address are skipped.
int read_known_devices(std::vector<search_device_info>& out);
// Replaces devices.json atomically. 0 or errno.
int write_known_devices(const std::vector<search_device_info>& devices);
// Adds devices not in list (by address) at its end and refreshes the serial
// number and last-seen time of those already there. True when list changed.
bool merge_devices(std::vector<search_device_info>& list,
                   const std::vector<search_device_info>& found);
