#pragma once
// The camera's HTTP interface on port 45600: its data list, the manifest and
// files of a data set, removal, status, clock and firmware upload. Each
// function is one request (http_client.h) and logs its failures.
//
// Results, as for the data list: 0 success; the transport's error code when
// the request failed; 1 when the reply carried no status or a status other
// than 200; 2 when a 200 reply's body was not what the request expects.
// Functions that write files add errno values of the file system.
//
// A device address is dotted IPv4 text, optionally followed by ":port" for a
// camera (or simulator) on another port than 45600.
// Threading: any thread; the calls block, so the GUI thread never calls them.

#include "store/records.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr uint16_t device_http_port = 45600;
constexpr int device_timeout_ms = 5000;

// "http://ADDRESS:45600" (or the address's own port).
std::string device_base_url(const std::string& address);
// True for "a.b.c.d" or "a.b.c.d:port" with a port of 1 to 65535.
bool is_device_address(const std::string& address);
// RFC 3986 percent-encoding of UTF-8 text (unreserved characters stay).
std::string percent_encode(const std::string& utf8);
// The inverse; false for a malformed escape.
bool percent_decode(const std::string& text, std::string& utf8);

// Whether a name that came from a camera (data set, item directory or file)
// may become a file name here: valid UTF-8 of 1 to 255 bytes, no control
// character, no "..", and none of \ / : * ? " < > |.
bool is_safe_device_name(const std::string& name);

// GET /data_list: the names of the camera's data sets, last entry of the
// reply first. Entries that are not strings, or names refused by
// is_safe_device_name(), are logged and left out.
int orn_read_data_list(const std::string& address, std::vector<std::string>& list);

struct device_file_entry {
    std::string name;
    int64_t size = 0;
};
struct device_item_entry {
    std::string dir;
    std::vector<device_file_entry> files;
};
struct device_data_set {
    std::string name;
    std::string title;
    std::vector<device_item_entry> items;
    int refused = 0;         // items left out for a name that may not become a path
    int64_t total_bytes = 0; // sum of the sizes of the files of items
};
// The data list of a 200 reply's body, as orn_read_data_list() reads it:
// 0, or 2 when the body is not a JSON array (or null).
int parse_data_list(const std::string& body, std::vector<std::string>& list);

// Largest size of one camera file that a data set's listing may announce.
constexpr int64_t max_device_file_size = int64_t(1) << 40;

// GET /data_list/NAME: the items and files of one data set.
int device_read_data_set(const std::string& address, const std::string& name, device_data_set& out);
// The data set of a 200 reply's body, as device_read_data_set() reads it: 0,
// or 2 when the body is not a data set.
int parse_data_set(const std::string& body, const std::string& name, device_data_set& out);

// GET /data/NAME/D/F into dest (UTF-8 path). The reply must announce exactly
// `size` bytes; anything else fails (EFBIG above, EPROTO below, ECONNRESET for
// no reply at all) and leaves no file. progress receives the bytes of this
// file stored so far; aborted is asked between chunks (ECANCELED).
int device_download_file(const std::string& address, const std::string& set, const std::string& dir,
                         const device_file_entry& file, const std::string& dest,
                         const std::function<void(int64_t)>& progress,
                         const std::function<bool()>& aborted);

// POST /data_remove: removes data sets on the camera; *removed receives the
// camera's count.
int device_remove_data(const std::string& address, const std::vector<std::string>& names,
                       int* removed);

// GET /status into out (numeric members zeroed, poll_time set, then every key
// present read). *sn receives the serial number when given. A failed request
// leaves out.status_code at the HTTP status (0 for a transport failure).
int device_read_status(const std::string& address, device_status_info& out, std::string* sn,
                       int timeout_ms = device_timeout_ms, int deadline_ms = 0);
// Fills a status record from a status body; false when it is not a JSON
// object.
bool parse_device_status(const std::string& body, device_status_info& out, std::string* sn);

// POST /time with "yyyy-MM-dd HH:mm:ss.zzz"; *device_time receives the
// camera's clock after setting.
int device_set_time(const std::string& address, const std::string& time_text,
                    std::string* device_time);

// POST /firmware with the bytes of the file at path (UTF-8). On success
// *version is the new version text. *http_status receives the reply's
// status (400 not a firmware file, 413 too large, 507 no space). progress
// receives the fraction sent; aborted is asked between chunks.
int device_upload_firmware(const std::string& address, const std::string& path,
                           const std::function<void(double)>& progress,
                           const std::function<bool()>& aborted, std::string* version,
                           int* http_status);
